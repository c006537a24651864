// libFuzzer target: the input is a recipe file. Every reader of the store walks it, the recipe page,
// the summary list and the search among them, as the main recipe file and as the update recipe
// file. A malformed file must end in StoreError, never in a crash, a hang or a read out of bounds.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/Check.h"
#include "store/Entry.h"
#include "store/Errors.h"
#include "store/RecipeStore.h"
#include "store/RecordReader.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

namespace {

namespace fs = std::filesystem;
using namespace zestovar::store;

// One program directory for the whole run, in memory where the system offers it (delete entry
// flushes every file it writes).
const fs::path& programDir() {
  static const fs::path dir = [] {
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string path = (base / "zestovar-fuzz-XXXXXX").string();
    if (!mkdtemp(path.data())) abort();
    return fs::path(path);
  }();
  return dir;
}

void removeProgramDir() {
  std::error_code ec;
  fs::remove_all(programDir(), ec);
}

void write(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

template <typename Reader>
void expectOnlyStoreErrors(Reader&& read) {
  try {
    read();
  } catch (const StoreError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  programDir();
  atexit(removeProgramDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& dir = programDir();
  write(dir / "Zestovar.dat", data, size);
  write(dir / "zsv.dat", data, size);
  std::error_code ec;
  fs::remove(dir / "New.dat", ec);

  // Category and name of the first entry, so that the lookups find something to read in full.
  std::string category = "Suppe", name = "Gulasch";
  if (size >= 3 * kRecordSize) {
    category = recordText(data);
    name = recordText(data + 2 * kRecordSize);
  }

  RecipeStore store(dir);
  {
    auto file = store.openMain();
    RecordReader in(*file);
    expectOnlyStoreErrors([&] {
      while (!in.atEnd()) {
        readHead(in);
        skipRest(in);
      }
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
  return 0;
}
