#include "store/Categories.h"

#include <algorithm>

#include "store/BrowseOrder.h"
#include "store/Cp1252.h"

namespace zestovar::store {

std::optional<int> categoryCode(std::string_view name) {
  for (std::size_t i = 0; i < kCategoryNames.size(); ++i)
    if (kCategoryNames[i] == name) return static_cast<int>(i + 1);
  return std::nullopt;
}

const std::vector<std::string>& subcategoryTable() {
  static const std::vector<std::string> table = [] {
    std::vector<std::string> utf8 = {"1: Eierspeisen",  "1: Kalb",        "1: Gemüse",
                                     "1: Pilzgerichte", "1: Nudeln",      "1: Backwaren",
                                     "1: Kartoffeln",   "1: Reis",        "1: Dips",
                                     "1: Schwein",      "1: Kaninchen",   "1: Geflügel",
                                     "1: Wild",         "1: Rind",        "1: Lamm",
                                     "1: Fisch",        "1: Saucen",      "1: Salate",
                                     "1: Vegetarisch",  "1: Sonstiges",   "1: Snacks",
                                     "2: Sonstiges",    "2: Suppen",      "2: Eingekochtes",
                                     "3: Sonstiges",    "3: Saucen",      "3: Schwein",
                                     "3: Nudeln",       "3: Kartoffeln",  "3: Reis",
                                     "3: Gemüse",       "3: Kalb",        "3: Milchgerichte",
                                     "3: Pilzgerichte", "3: Eierspeisen", "3: Kaninchen",
                                     "3: Salate",       "3: Vegetarisch", "3: Geflügel",
                                     "3: Wild",         "3: Rind",        "3: Lamm",
                                     "3: Backwaren",    "3: Auflauf",     "3: Fisch",
                                     "3: Eintopf",      "3: Gegrilltes",  "4: Dessert",
                                     "4: Früchte",      "4: Milch",       "4: Quark",
                                     "4: Marmelade",    "4: Eis",         "4: Sonstiges",
                                     "4: Backwaren",    "5: Kuchen",      "5: Plätzchen",
                                     "5: Torten",       "5: Brot",        "5: Sonstiges",
                                     "5: Backwaren",    "6: Cocktails",   "6: unalk_Cocktails",
                                     "6: Bowle",        "6: unalk_Bowle", "6: Shakes",
                                     "6: Sonstiges"};
    for (std::string& text : utf8) text = utf8ToCp1252(text);
    return utf8;
  }();
  return table;
}

std::vector<std::string> subcategoriesInTableOrder(std::string_view category) {
  std::vector<std::string> names;
  const auto code = categoryCode(category);
  if (!code) return names;
  const char digit = static_cast<char>('0' + *code);
  for (const auto& text : subcategoryTable())
    if (text[0] == digit) names.push_back(text.substr(3));
  return names;
}

std::vector<std::string> subcategoriesSorted(std::string_view category) {
  auto names = subcategoriesInTableOrder(category);
  std::stable_sort(names.begin(), names.end(), browseLess);
  return names;
}

}  // namespace zestovar::store
