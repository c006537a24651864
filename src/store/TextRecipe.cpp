#include "store/TextRecipe.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/Words.h"

namespace zestovar::store {
namespace {

[[noreturn]] void fail(std::size_t line, std::string_view what) {
  throw TextRecipeError("Zeile " + std::to_string(line) + ": " + std::string(what));
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

TextRecipe parseTextRecipe(std::string_view utf8, const std::filesystem::path& dir) {
  if (utf8.starts_with(kUtf8ByteOrderMark)) utf8.remove_prefix(kUtf8ByteOrderMark.size());
  const auto lines = splitLines(utf8);
  TextRecipe result;
  NewRecipe& r = result.recipe;
  std::string subcategoryText;
  std::size_t subcategoryLine = 0, categoryLine = 0;
  bool haveCategory = false, haveName = false;
  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (trimmed(line).empty()) continue;
    if (trimmed(line) == "Zutaten:") break;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) fail(i + 1, "Kopfzeile ohne Doppelpunkt");
    const std::string_view key = trimmed(line.substr(0, colon));
    const std::string value = utf8ToCp1252(trimmed(line.substr(colon + 1)));
    if (key == "Kategorie") {
      r.category = value;
      haveCategory = true;
      categoryLine = i + 1;
    } else if (key == "Unterkategorien") {
      subcategoryText = value;
      subcategoryLine = i + 1;
    } else if (key == "Name") {
      r.name = value;
      haveName = true;
      result.nameLine = i + 1;
    } else if (key == "Herkunft") {
      r.origin = value;
    } else if (key == "Autor") {
      r.author = value;
    } else if (key == "Personen") {
      r.persons = value;
    } else if (key == "Datum") {
      // The publication date of a recipe of the demo site: day.month.year.
      std::size_t dots = 0;
      for (char c : value) dots += c == '.';
      const bool digitsAndDots = value.find_first_not_of("0123456789.") == std::string::npos;
      if (dots != 2 || !digitsAndDots || value.front() == '.' || value.back() == '.' ||
          value.find("..") != std::string::npos)
        fail(i + 1, "'" + cp1252ToUtf8(value) + "' ist kein Datum (Tag.Monat.Jahr)");
      result.date = value;
    } else if (key == "Bild") {
      if (!value.empty()) r.picture = dir / std::filesystem::path(std::string(trimmed(line.substr(colon + 1))));
    } else {
      fail(i + 1, "unbekannter Schlüssel '" + std::string(key) + "'");
    }
  }
  if (i == lines.size()) fail(lines.size() + 1, "\"Zutaten:\" fehlt");
  if (!haveName) fail(i + 1, "\"Name:\" fehlt");
  if (!haveCategory || !categoryCode(r.category)) fail(categoryLine ? categoryLine : i + 1, kNoCategoryChosen);

  // Subcategories must belong to the category; they are stored in the sorted list's order.
  const auto allowed = subcategoriesSorted(r.category);
  const std::vector<std::string_view> chosen = words(subcategoryText);
  for (const std::string_view word : chosen)
    if (std::find(allowed.begin(), allowed.end(), word) == allowed.end())
      fail(subcategoryLine, "Unterkategorie '" + cp1252ToUtf8(word) + "' gehört nicht zur Kategorie");
  if (chosen.empty()) fail(subcategoryLine ? subcategoryLine : categoryLine, kNoCategoryChosen);
  for (const auto& name : allowed)
    if (std::find(chosen.begin(), chosen.end(), name) != chosen.end()) r.subcategories.push_back(name);

  ++i;  // "Zutaten:"
  for (; i < lines.size() && lines[i] != "Zubereitung:"; ++i) r.ingredients.push_back(utf8ToCp1252(lines[i]));
  if (i == lines.size()) fail(lines.size() + 1, "\"Zubereitung:\" fehlt");
  ++i;
  std::vector<std::string_view> preparation(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
  while (!preparation.empty() && preparation.back().empty()) preparation.pop_back();
  for (std::size_t k = 0; k < preparation.size(); ++k) {
    if (k) r.preparation += "\r\n";
    r.preparation += utf8ToCp1252(preparation[k]);
  }
  return result;
}

TextRecipe readTextRecipeFile(Files& files, const std::filesystem::path& file) {
  std::optional<std::string> text;
  try {
    text = readWholeFile(files, file);
  } catch (const StoreError& e) {
    throw TextRecipeError(file.string() + ": " + e.what());
  }
  if (!text) throw TextRecipeError(file.string() + ": " + std::string(kFileNotFound));
  try {
    return parseTextRecipe(*text, file.parent_path());
  } catch (const TextRecipeError& e) {
    throw TextRecipeError(file.string() + ": " + e.what());
  }
}

std::string formatTextRecipe(const StoredRecipe& e, std::string_view pictureFile) {
  std::string out;
  auto line = [&](std::string_view key, std::string_view cp1252) {
    out += key;
    out += ": ";
    out += cp1252ToUtf8(cp1252);
    out += '\n';
  };
  line("Kategorie", e.head.category);
  std::string_view subs = e.head.subcategories;
  while (!subs.empty() && subs.front() == ' ') subs.remove_prefix(1);
  line("Unterkategorien", subs);
  line("Name", e.head.name);
  line("Herkunft", e.origin);
  line("Autor", e.author);
  line("Personen", e.persons);
  if (!pictureFile.empty()) {
    out += "Bild: ";
    out += pictureFile;
    out += '\n';
  }
  out += "Zutaten:\n";
  for (const auto& ingredient : e.ingredients) {
    out += cp1252ToUtf8(ingredient);
    out += '\n';
  }
  out += "Zubereitung:\n";
  std::string prep = e.preparation();
  // Line ends of the stored text (CR LF, or CR CR LF after the editor's wrap points) become one line end.
  std::string plain;
  for (std::size_t k = 0; k < prep.size(); ++k) {
    if (prep[k] == '\r') {
      while (k + 1 < prep.size() && prep[k + 1] == '\r') ++k;
      if (k + 1 < prep.size() && prep[k + 1] == '\n') ++k;
      plain += '\n';
    } else {
      plain += prep[k];
    }
  }
  out += cp1252ToUtf8(plain);
  if (!plain.empty()) out += '\n';
  return out;
}

void addTextRecipeFiles(RecipeStore& store, const std::vector<std::string>& paths) {
  const std::vector<std::string> book = store.allNames();
  std::unordered_set<std::string> names(book.begin(), book.end());
  std::string entries;
  for (const auto& path : paths) {
    TextRecipe parsed = readTextRecipeFile(store.files(), path);
    const std::string stored = parsed.recipe.name.substr(0, kMaxText);
    if (!names.insert(stored).second)
      throw TextRecipeError(path + ": Zeile " + std::to_string(parsed.nameLine) + ": " + std::string(kNameTaken));
    try {
      entries += encodeEntry(parsed.recipe, store.files());
    } catch (const StoreError& e) {
      throw StoreError(path + ": " + e.what());
    }
  }
  store.appendEncoded(entries);
}

}  // namespace zestovar::store
