// libFuzzer target: the input is a recipe file, and the writers change it: listing a category renames
// repeated names on disk, a delete rewrites the file, an append adds after its last complete entry.
// Nothing may be lost: what an append cuts off before its entry is what "Abgeschnitten.dat" gains, and
// an entry appended after a file that walks is found by the next walk. The files live in memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "StoreFuzzInput.h"
#include "store/Entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zestovar::store;
  using zestovar::test::expectOnlyStoreErrors;
  zestovar::test::FuzzedStore input(data, size);
  zestovar::test::MemoryDir& dir = input.dir;
  RecipeStore store(dir.path(), dir.files());
  expectOnlyStoreErrors([&] { store.browseList(input.category); });
  expectOnlyStoreErrors([&] { store.deleteEntry(input.name); });
  bool walksCleanly = true;
  expectOnlyStoreErrors([&] {
    walksCleanly = false;
    store.authorByName({});  // walks every entry of both files
    walksCleanly = true;
  });
  NewRecipe recipe;
  recipe.category = input.category;
  recipe.name = "Neu\x01";
  recipe.author = "Fuzz";
  const std::string before = dir.read("Zestovar.dat");
  const std::string cutBefore = dir.read("Abgeschnitten.dat");
  store.appendEntry(recipe);
  const std::string after = dir.read("Zestovar.dat");
  const std::string entry = encodeEntry(recipe, PictureState::None, {});
  if (!after.ends_with(entry)) abort();
  if (after.substr(0, after.size() - entry.size()) + dir.read("Abgeschnitten.dat").substr(cutBefore.size()) != before)
    abort();
  if (walksCleanly && store.authorByName(recipe.name) != recipe.author) abort();
  return 0;
}
