// Browsing filter and word search over the recipe store (texts Windows-1252).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/Cp1252.h"
#include "store/RecipeStore.h"

namespace zestovar::views {

using store::containsTest;
using store::Spelling;

// One entry of the summary list: category, subcategory record, name and origin.
struct EntrySummary {
  std::string category;
  std::string subcategories;
  std::string name;
  std::string origin;  // "keine Angabe" without the origin marker record
};

// Every entry of the main recipe file, then of the update recipe file; on an error summary keeps
// what was read.
void buildEntrySummary(store::RecipeStore& store, std::vector<EntrySummary>& summary);

// The names of the entries of category that carry one of the ticked subcategories (contains test on
// the subcategory record), in the order the filter finds them; each entry at most once.
std::vector<std::string> filterBySubcategories(std::vector<EntrySummary> summary, std::string_view category,
                                               const std::vector<std::string>& ticked);

// " Rezept" after 1, " Rezepte" otherwise: the status bar text for names (letter items not counted).
std::string recipeCountText(std::size_t names);

// The search terms: a one-character text is its own term; otherwise the words between blanks.
std::vector<std::string> splitTerms(std::string_view text);

enum class SearchKind { And, Or };

inline constexpr std::string_view kAllCategories = "Alle";

// Tests every entry of both files with the contains test in the given spelling. names receives the
// matching names in walk order (on an error it keeps those found so far); returns the hit count.
int searchRecipes(store::RecipeStore& store, const std::vector<std::string>& terms, std::string_view category,
                  SearchKind kind, std::vector<std::string>& names, Spelling spelling = Spelling::AsStored);

// "N Rezepte gefunden." or "Keine Rezepte gefunden." (UTF-8).
std::string searchMessage(int hits);

}  // namespace zestovar::views
