#include "editing/RecipeFields.h"

#include <algorithm>

#include "store/Categories.h"
#include "store/RecordFormat.h"

namespace zestovar::editing {
namespace {

// The length of the line end at i: CR CR LF, CR LF, a lone CR, a lone LF; 0 for none.
std::size_t lineEndAt(std::string_view text, std::size_t i) {
  if (text.substr(i, 3) == "\r\r\n") return 3;
  if (text.substr(i, 2) == "\r\n") return 2;
  return text[i] == '\r' || text[i] == '\n' ? 1 : 0;
}

}  // namespace

std::string singleLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

std::string storedName(std::string_view name) {
  std::string stored = singleLine(name);
  if (stored.size() > store::kMaxText) stored.resize(store::kMaxText);
  return stored;
}

bool hasCategory(const RecipeFields& fields) {
  return store::categoryCode(fields.category).has_value() &&
         std::any_of(fields.subcategories.begin(), fields.subcategories.end(),
                     [](const Subcategory& item) { return item.ticked; });
}

std::string convertWrapPoints(const std::vector<ShownLine>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i].text;
    if (!line.empty() && line.back() == ' ') {
      text.append(line, 0, line.size() - 1);
      text += "\r\r\n";
    } else {
      text += line;
      if (lines[i].end != LineEnd::Wrap && i + 1 < lines.size()) text += "\r\n";
    }
  }
  return text;
}

std::vector<std::string> preparationLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t ending = lineEndAt(text, i);
    if (ending == 0) {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    if (ending == 3) lines.back() += ' ';
    i += ending;
    start = i;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

store::NewRecipe toNewRecipe(const RecipeFields& fields) {
  store::NewRecipe recipe;
  recipe.category = singleLine(fields.category);
  for (const Subcategory& item : fields.subcategories)
    if (item.ticked) recipe.subcategories.push_back(item.name);
  recipe.name = singleLine(fields.name);
  recipe.origin = singleLine(fields.origin);
  recipe.ingredients = fields.ingredients;
  recipe.preparation = convertWrapPoints(fields.preparation);
  recipe.author = singleLine(fields.author);
  recipe.persons = fields.persons;
  recipe.picture = fields.picture;
  return recipe;
}

}  // namespace zestovar::editing
