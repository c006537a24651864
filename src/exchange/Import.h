// Importing exchange files into the book: the format told by the content, the recipes mapped into
// ours, those whose name the book already holds skipped, the rest appended in one write.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "exchange/ForeignRecipe.h"
#include "store/RecipeStore.h"

namespace zestovar::exchange {

// The category of recipes whose words name none of ours, unless the user chooses another.
inline constexpr std::string_view kDefaultFallbackCategory = "Hauptgericht";

// The recipes of a file: CookML when its first element is <cookml>, the schema.org recipes of a saved
// web page when it looks like one (looksLikeWebPage), else Meal-Master and RezKonv recipes in UTF-8,
// Windows-1252 or code page 850, handed to take one by one as they are read.
// Throws ImportError for a file that holds no recipe of these formats or cannot be read as a whole
// (also when some of its recipes have been handed over already); an exception thrown by take passes on.
void readCollection(std::string_view bytes, const std::function<void(ForeignRecipe&&)>& take);
// The same, all recipes at once.
std::vector<ForeignRecipe> readCollection(std::string_view bytes);
// The number of recipes a file holds, as far as a glance at it tells: its start lines, its <recipe>
// elements, or the mentions of the Recipe type on a web page. For showing progress only.
std::size_t expectedRecipes(std::string_view bytes);

struct ImportedRecipe {
  std::string name;       // as stored (Windows-1252)
  bool imported = false;  // false: skipped, the name was in the book already
};

struct FileImport {
  std::vector<ImportedRecipe> recipes;
  std::size_t imported = 0;
  std::size_t skipped = 0;
};

// Called after each recipe with the number done and the number expected (expectedRecipes, never less
// than done); returning false cancels the file, which then imports nothing.
using ImportProgress = std::function<bool(std::size_t done, std::size_t total)>;

class Importer {
 public:
  // Reads the names of the book once; every later check is a lookup.
  explicit Importer(store::RecipeStore& store);

  // Imports the recipes of one file. A recipe whose name the book holds (or an earlier recipe of the
  // import took) is skipped, as the editor refuses a name that exists. The recipes are encoded one by
  // one as they are read and go into the book in one write at the end. Throws ImportError when the
  // file cannot be read, store::StoreError when the write fails; nothing of the file is in the book
  // then. Returns nothing when cancelled, and nothing is written.
  std::optional<FileImport> importFile(std::string_view bytes, std::string_view fallbackCategory,
                                       const ImportProgress& progress = {});
  // Imports recipes read elsewhere (from a fetched web page) with the same name check and the one
  // write. prepare runs on each recipe the book will take, just before it is encoded (it fetches the
  // picture), so only one picture is held at a time. Throws store::StoreError when the write fails;
  // an exception thrown by prepare passes on; nothing is written then.
  FileImport importRecipes(std::vector<ForeignRecipe> recipes, std::string_view fallbackCategory,
                           const std::function<void(ForeignRecipe&)>& prepare = {});

 private:
  class Batch;
  store::RecipeStore& store_;
  std::unordered_set<std::string> names_;
};

// The lines a report shows for an import: "importiert: NAME", "übersprungen: NAME (Name schon
// vorhanden)" (UTF-8).
std::vector<std::string> reportLines(const FileImport& result);
// "N Rezepte importiert, M übersprungen." (UTF-8)
std::string summaryLine(std::size_t imported, std::size_t skipped);

}  // namespace zestovar::exchange
