#include "exchange/Import.h"

#include "exchange/ColumnText.h"
#include "exchange/CookMl.h"
#include "exchange/Encoding.h"
#include "exchange/Mapping.h"
#include "store/Cp1252.h"

namespace zestovar::exchange {

std::vector<ForeignRecipe> readCollection(std::string_view bytes) {
  if (bytes.empty()) throw ImportError("Die Datei ist leer");
  if (looksLikeCookMl(bytes)) {
    auto recipes = parseCookMl(bytes);
    if (recipes.empty()) throw ImportError("Die CookML-Datei enth\xc3\xa4lt keine Rezepte");
    return recipes;
  }
  // A text file holds no NUL byte.
  if (bytes.find('\0') != std::string_view::npos) throw ImportError("Die Datei ist keine Textdatei");
  const std::string text = toCp1252(bytes, detectEncoding(bytes));
  auto recipes = parseColumnText(text);
  if (recipes.empty()) throw ImportError("Keine Rezepte im Format Meal-Master, RezKonv oder CookML gefunden");
  return recipes;
}

Importer::Importer(store::RecipeStore& store) : store_(store) {
  for (std::string& name : store_.allNames()) names_.insert(std::move(name));
}

std::optional<FileImport> Importer::importFile(std::string_view bytes, std::string_view fallbackCategory,
                                               const ImportProgress& progress) {
  const std::vector<ForeignRecipe> recipes = readCollection(bytes);
  FileImport result;
  std::vector<store::NewRecipe> added;
  std::unordered_set<std::string> taken;
  for (std::size_t i = 0; i < recipes.size(); ++i) {
    store::NewRecipe recipe = toNewRecipe(recipes[i], fallbackCategory);
    const bool fresh = !names_.contains(recipe.name) && taken.insert(recipe.name).second;
    result.recipes.push_back({recipe.name, fresh});
    if (fresh) {
      added.push_back(std::move(recipe));
      ++result.imported;
    } else {
      ++result.skipped;
    }
    if (progress && !progress(i + 1, recipes.size())) return std::nullopt;
  }
  store_.appendEntries(added);
  for (std::string name : taken) names_.insert(std::move(name));
  return result;
}

std::vector<std::string> reportLines(const FileImport& result) {
  std::vector<std::string> lines;
  lines.reserve(result.recipes.size());
  for (const ImportedRecipe& recipe : result.recipes)
    lines.push_back(recipe.imported ? "importiert: " + store::cp1252ToUtf8(recipe.name)
                                    : "\xc3\xbc"
                                      "bersprungen: " +
                                          store::cp1252ToUtf8(recipe.name) + " (Name schon vorhanden)");
  return lines;
}

std::string summaryLine(std::size_t imported, std::size_t skipped) {
  return std::to_string(imported) + " Rezepte importiert, " + std::to_string(skipped) +
         " \xc3\xbc"
         "bersprungen.";
}

}  // namespace zestovar::exchange
