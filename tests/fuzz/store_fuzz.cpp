// libFuzzer target: the input is a recipe file. Every reader of the store walks it, the recipe page,
// the summary list and the search among them, as the main recipe file and as the update recipe
// file, and the writers rewrite it. A malformed file must end in StoreError, never in a crash, a hang
// or a read out of bounds. The files live in memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "StoreFixtures.h"
#include "store/Check.h"
#include "store/Entry.h"
#include "store/Errors.h"
#include "store/RecipeStore.h"
#include "store/RecordReader.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

namespace {

using namespace zestovar::store;

template <typename Reader>
void expectOnlyStoreErrors(Reader&& read) {
  try {
    read();
  } catch (const StoreError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zestovar::test::MemoryDir dir;
  dir.write("Zestovar.dat", bytes);
  dir.write("zsv.dat", bytes);

  // Category and name of the first entry, so that the lookups find something to read in full.
  std::string category = "Suppe", name = "Gulasch";
  if (size >= 3 * kRecordSize) {
    category = recordText(data);
    name = recordText(data + 2 * kRecordSize);
  }

  RecipeStore store(dir.path(), dir.files());
  {
    auto file = store.openMain();
    expectOnlyStoreErrors([&] {
      walkEntries(*file, [](RecordReader& in, EntryHead&) {
        skipRest(in);
        return true;
      });
    });
    // Small blocks put block boundaries inside entries.
    RecordReader small(*file, 3);
    expectOnlyStoreErrors([&] {
      while (!small.atEnd()) readEntry(small);
    });
    checkRecipeFile(*file);
  }
  expectOnlyStoreErrors([&] { store.findByName(name); });
  expectOnlyStoreErrors([&] { store.nameExists(name); });
  expectOnlyStoreErrors([&] { store.authorByName(name); });
  expectOnlyStoreErrors([&] { zestovar::views::showRecipePage(store, name, "default", [](const std::string&) {}); });
  expectOnlyStoreErrors([&] {
    std::vector<zestovar::views::EntrySummary> summary;
    zestovar::views::buildEntrySummary(store, summary);
  });
  expectOnlyStoreErrors([&] {
    std::vector<std::string> names;
    zestovar::views::searchRecipes(store, {name, "a"}, "Alle", zestovar::views::SearchKind::Or, names);
  });
  expectOnlyStoreErrors([&] { store.browseList(category); });  // may rename in both files
  expectOnlyStoreErrors([&] { store.deleteEntry(name); });
  // An append after a file that walks cleanly, torn tail or not, must be found by the next walk.
  bool walksCleanly = true;
  expectOnlyStoreErrors([&] {
    walksCleanly = false;
    store.authorByName({});  // walks every entry of both files
    walksCleanly = true;
  });
  NewRecipe recipe;
  recipe.category = category;
  recipe.name = "Neu\x01";
  recipe.author = "Fuzz";
  store.appendEntry(recipe);
  if (walksCleanly && store.authorByName(recipe.name) != recipe.author) abort();
  return 0;
}
