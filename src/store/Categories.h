// The fixed category vocabulary.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zestovar::store {

// Category names as stored in the category record (Windows-1252), by code 1 to 6.
inline constexpr std::array<std::string_view, 6> kCategoryNames = {"Vorspeise", "Suppe",     "Hauptgericht",
                                                                   "Dessert",   "Backwaren", "Getr\xe4nke"};

// The names in the alphabetical order of the category selectors.
inline constexpr std::array<std::string_view, 6> kCategoriesAlphabetical = {"Backwaren",    "Dessert", "Getr\xe4nke",
                                                                            "Hauptgericht", "Suppe",   "Vorspeise"};

// The 23 origins a recipe can name, as the origin record holds them (Windows-1252); "keine Angabe" is
// a recipe without origin.
inline constexpr std::array<std::string_view, 23> kOriginNames = {
    "afrikanisch",   "amerikanisch", "arabisch",      "argentinisch",   "asiatisch",          "australisch",
    "chinesisch",    "deutsch",      "englisch",      "franz\xf6sisch", "griechisch",         "indisch",
    "International", "italienisch",  "japanisch",     "keine Angabe",   "lateinamerikanisch", "\xf6sterreichisch",
    "polnisch",      "russisch",     "schweizerisch", "spanisch",       "ungarisch"};

// The code 1 to 6 of a category name, compared exactly; none for any other text.
std::optional<int> categoryCode(std::string_view name);

// The 67 texts "N: Name" in table order (Windows-1252).
const std::vector<std::string>& subcategoryTable();

// The subcategory names of a category in table order; empty for a text that is no category.
std::vector<std::string> subcategoriesInTableOrder(std::string_view category);

// The same names in the order of the sorted subcategory lists.
std::vector<std::string> subcategoriesSorted(std::string_view category);

}  // namespace zestovar::store
