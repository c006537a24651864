#include "exchange/Mapping.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/RecordFormat.h"

namespace zestovar::exchange {

namespace {

struct Word {
  std::string_view word;  // lower case
  std::string_view category;
  std::string_view subcategory;  // empty: the category's "Sonstiges"
};

// German and English category words of the exchange files, in lower case; UTF-8 here, Windows-1252
// once they are in the table of known words.
constexpr std::array kWords = {
    Word{"suppe", "Suppe", "Suppen"},
    Word{"suppen", "Suppe", "Suppen"},
    Word{"soup", "Suppe", "Suppen"},
    Word{"soups", "Suppe", "Suppen"},
    Word{"eintopf", "Suppe", "Suppen"},
    Word{"eintöpfe", "Suppe", "Suppen"},
    Word{"stew", "Suppe", "Suppen"},
    Word{"stews", "Suppe", "Suppen"},
    Word{"eingekochtes", "Suppe", "Eingekochtes"},
    Word{"einmachen", "Suppe", "Eingekochtes"},
    Word{"preserves", "Suppe", "Eingekochtes"},
    Word{"canning", "Suppe", "Eingekochtes"},
    Word{"kuchen", "Backwaren", "Kuchen"},
    Word{"cake", "Backwaren", "Kuchen"},
    Word{"cakes", "Backwaren", "Kuchen"},
    Word{"torte", "Backwaren", "Torten"},
    Word{"torten", "Backwaren", "Torten"},
    Word{"tortes", "Backwaren", "Torten"},
    Word{"plätzchen", "Backwaren", "Plätzchen"},
    Word{"kekse", "Backwaren", "Plätzchen"},
    Word{"cookies", "Backwaren", "Plätzchen"},
    Word{"brot", "Backwaren", "Brot"},
    Word{"brötchen", "Backwaren", "Brot"},
    Word{"bread", "Backwaren", "Brot"},
    Word{"breads", "Backwaren", "Brot"},
    Word{"backen", "Backwaren", ""},
    Word{"gebäck", "Backwaren", ""},
    Word{"baking", "Backwaren", ""},
    Word{"getränk", "Getränke", ""},
    Word{"drinks", "Getränke", ""},
    Word{"beverages", "Getränke", ""},
    Word{"cocktail", "Getränke", "Cocktails"},
    Word{"cocktails", "Getränke", "Cocktails"},
    Word{"bowle", "Getränke", "Bowle"},
    Word{"punch", "Getränke", "Bowle"},
    Word{"shakes", "Getränke", "Shakes"},
    Word{"milchshake", "Getränke", "Shakes"},
    Word{"vorspeisen", "Vorspeise", ""},
    Word{"appetizers", "Vorspeise", ""},
    Word{"starters", "Vorspeise", ""},
    Word{"dip", "Vorspeise", "Dips"},
    Word{"dips", "Vorspeise", "Dips"},
    Word{"snacks", "Vorspeise", "Snacks"},
    Word{"salat", "Vorspeise", "Salate"},
    Word{"salate", "Vorspeise", "Salate"},
    Word{"salads", "Vorspeise", "Salate"},
    Word{"desserts", "Dessert", "Dessert"},
    Word{"nachtisch", "Dessert", "Dessert"},
    Word{"nachspeise", "Dessert", "Dessert"},
    Word{"nachspeisen", "Dessert", "Dessert"},
    Word{"eis", "Dessert", "Eis"},
    Word{"ice cream", "Dessert", "Eis"},
    Word{"quark", "Dessert", "Quark"},
    Word{"marmelade", "Dessert", "Marmelade"},
    Word{"konfitüre", "Dessert", "Marmelade"},
    Word{"jams", "Dessert", "Marmelade"},
    Word{"obst", "Dessert", "Früchte"},
    Word{"fruit", "Dessert", "Früchte"},
    Word{"hauptgerichte", "Hauptgericht", ""},
    Word{"hauptspeise", "Hauptgericht", ""},
    Word{"main dish", "Hauptgericht", ""},
    Word{"main dishes", "Hauptgericht", ""},
    Word{"fleisch", "Hauptgericht", ""},
    Word{"meat", "Hauptgericht", ""},
    Word{"rindfleisch", "Hauptgericht", "Rind"},
    Word{"beef", "Hauptgericht", "Rind"},
    Word{"schweinefleisch", "Hauptgericht", "Schwein"},
    Word{"pork", "Hauptgericht", "Schwein"},
    Word{"kalbfleisch", "Hauptgericht", "Kalb"},
    Word{"veal", "Hauptgericht", "Kalb"},
    Word{"lamb", "Hauptgericht", "Lamm"},
    Word{"game", "Hauptgericht", "Wild"},
    Word{"huhn", "Hauptgericht", "Geflügel"},
    Word{"hähnchen", "Hauptgericht", "Geflügel"},
    Word{"pute", "Hauptgericht", "Geflügel"},
    Word{"poultry", "Hauptgericht", "Geflügel"},
    Word{"chicken", "Hauptgericht", "Geflügel"},
    Word{"rabbit", "Hauptgericht", "Kaninchen"},
    Word{"fish", "Hauptgericht", "Fisch"},
    Word{"meeresfrüchte", "Hauptgericht", "Fisch"},
    Word{"seafood", "Hauptgericht", "Fisch"},
    Word{"pasta", "Hauptgericht", "Nudeln"},
    Word{"rice", "Hauptgericht", "Reis"},
    Word{"potatoes", "Hauptgericht", "Kartoffeln"},
    Word{"vegetables", "Hauptgericht", "Gemüse"},
    Word{"pilze", "Hauptgericht", "Pilzgerichte"},
    Word{"mushrooms", "Hauptgericht", "Pilzgerichte"},
    Word{"eier", "Hauptgericht", "Eierspeisen"},
    Word{"eggs", "Hauptgericht", "Eierspeisen"},
    Word{"vegetarian", "Hauptgericht", "Vegetarisch"},
    Word{"aufläufe", "Hauptgericht", "Auflauf"},
    Word{"casseroles", "Hauptgericht", "Auflauf"},
    Word{"grillen", "Hauptgericht", "Gegrilltes"},
    Word{"grill", "Hauptgericht", "Gegrilltes"},
    Word{"bbq", "Hauptgericht", "Gegrilltes"},
    Word{"soßen", "Hauptgericht", "Saucen"},
    Word{"sauces", "Hauptgericht", "Saucen"},
};

std::string folded(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = store::foldCase(c);
  return out;
}

// What a word names: our category names and subcategory names themselves, then the table.
struct Named {
  std::string category;
  std::string subcategory;  // empty: the category's "Sonstiges"
};

// Every known word (folded) with what it names, built once.
const std::unordered_map<std::string, std::vector<Named>>& knownWords() {
  static const auto table = [] {
    std::unordered_map<std::string, std::vector<Named>> words;
    // The table first: "Eintopf" is a soup to the files, though a main dish has a subcategory of
    // that name.
    for (const Word& w : kWords)
      words[store::utf8ToCp1252(w.word)].push_back(
          {store::utf8ToCp1252(w.category), store::utf8ToCp1252(w.subcategory)});
    for (const std::string_view category : store::kCategoryNames) {
      words[folded(category)].push_back({std::string(category), {}});
      for (const std::string& sub : store::subcategoriesSorted(category))
        words[folded(sub)].push_back({std::string(category), sub});
    }
    return words;
  }();
  return table;
}

std::vector<Named> lookUp(std::string_view word) {
  const auto& words = knownWords();
  const auto it = words.find(folded(trimmed(word)));
  return it == words.end() ? std::vector<Named>() : it->second;
}

// A word's names, and when it names nothing, the names of its parts ("Suppen & Eintöpfe").
std::vector<Named> namesOf(std::string_view word) {
  std::vector<Named> found = lookUp(word);
  if (!found.empty()) return found;
  std::size_t start = 0;
  while (start < word.size()) {
    const std::size_t end = std::min(word.find_first_of(" /&+;", start), word.size());
    for (Named& n : lookUp(word.substr(start, end - start))) found.push_back(std::move(n));
    start = end + 1;
  }
  return found;
}

bool isNumber(std::string_view text) {
  return !text.empty() && text.find_first_of("0123456789") != std::string_view::npos &&
         text.find_first_not_of("0123456789-/.,") == std::string_view::npos;
}

// A line as a record holds it: each run of control characters (line breaks, tabs, NUL) one blank, no
// blanks at the ends.
std::string oneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool gap = false;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20) {
      gap = true;
      continue;
    }
    if (gap && !out.empty() && out.back() != ' ') out += ' ';
    gap = false;
    out += c;
  }
  return std::string(trimmed(out));
}

// Lines of at most a record's length, broken at the last blank that fits where there is one.
void appendWrapped(std::vector<std::string>& out, std::string line) {
  std::string_view rest = line;
  while (rest.size() > store::kMaxText) {
    std::size_t cut = rest.substr(0, store::kMaxText + 1).find_last_of(' ');
    if (cut == std::string_view::npos || cut == 0) cut = store::kMaxText;
    out.emplace_back(trimmed(rest.substr(0, cut)));
    rest = trimmed(rest.substr(cut));
  }
  if (!rest.empty() || out.empty()) out.emplace_back(rest);
}

}  // namespace

CategoryChoice chooseCategory(const std::vector<std::string>& words, std::string_view fallbackCategory) {
  std::vector<std::vector<Named>> names;
  names.reserve(words.size());
  for (const std::string& word : words) names.push_back(namesOf(word));
  CategoryChoice choice;
  // A word that is one of our category names wins over the table; it names the category only, unless
  // no other word names a subcategory.
  std::size_t categoryWord = words.size();
  for (std::size_t i = 0; i < words.size() && categoryWord == words.size(); ++i)
    for (const std::string_view category : store::kCategoryNames)
      if (folded(trimmed(words[i])) == folded(category)) {
        choice.category = category;
        categoryWord = i;
      }
  if (choice.category.empty())
    for (const auto& list : names)
      if (!list.empty() && choice.category.empty()) choice.category = list.front().category;
  if (choice.category.empty()) choice.category = std::string(fallbackCategory);

  const auto subcategoriesNamed = [&](bool byCategoryWord) {
    std::vector<std::string> named;
    for (std::size_t i = 0; i < names.size(); ++i)
      if ((i == categoryWord) == byCategoryWord)
        for (const Named& n : names[i])
          if (n.category == choice.category && !n.subcategory.empty()) named.push_back(n.subcategory);
    return named;
  };
  std::vector<std::string> named = subcategoriesNamed(false);
  if (named.empty()) named = subcategoriesNamed(true);
  for (const std::string& sub : store::subcategoriesSorted(choice.category))
    if (std::find(named.begin(), named.end(), sub) != named.end()) choice.subcategories.push_back(sub);
  if (choice.subcategories.empty()) choice.subcategories.emplace_back("Sonstiges");
  return choice;
}

std::string personsOf(std::string_view servings) {
  servings = trimmed(servings);
  const std::size_t blank = servings.find(' ');
  const std::string_view number = servings.substr(0, blank);
  if (!isNumber(number)) return oneLine(servings);
  if (blank == std::string_view::npos) return std::string(number);
  const std::string unit = folded(trimmed(servings.substr(blank)));
  for (const std::string_view word : {"personen", "person", "pers.", "portionen", "portion", "port.", "servings",
                                      "serving", "people", "persons", "personnes"})
    if (unit == word) return std::string(number);
  return oneLine(servings);
}

std::string storedNameOf(const ForeignRecipe& recipe) {
  std::string name = oneLine(recipe.title);
  if (name.empty() && !recipe.ownExport) name = kUntitled;
  if (name.size() > store::kMaxText) {
    // Cut as the store cuts it, without a blank left at the end.
    name.resize(store::kMaxText);
    name.resize(trimmed(name).size());
  }
  return name;
}

store::NewRecipe toNewRecipe(const ForeignRecipe& recipe, std::string_view fallbackCategory) {
  store::NewRecipe out;
  CategoryChoice choice = chooseCategory(recipe.categories, fallbackCategory);
  out.category = std::move(choice.category);
  out.subcategories = std::move(choice.subcategories);
  out.name = storedNameOf(recipe);
  for (const std::string& line : recipe.ingredients) appendWrapped(out.ingredients, oneLine(line));
  for (std::size_t i = 0; i < recipe.paragraphs.size(); ++i) {
    if (i > 0) out.preparation += "\r\n";
    out.preparation += oneLine(recipe.paragraphs[i]);
  }
  out.author = oneLine(recipe.author);
  if (out.author.empty() && !recipe.ownExport) out.author = kDefaultAuthor;
  out.persons = recipe.ownExport ? oneLine(recipe.servings) : personsOf(recipe.servings);
  if (!recipe.origin.empty()) out.origin = recipe.origin;
  out.pictureBytes = recipe.picture;
  return out;
}

}  // namespace zestovar::exchange
