// The recipe web site's list page and the offer made of it: plain text, five lines a recipe (name,
// author, date, download address, category line), Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/RecipeStore.h"

namespace zestovar::online {

inline constexpr std::string_view kListPagePath = "/zestovar3/rezeptlist.htm";
inline constexpr std::string_view kNewsPagePath = "/zestovar3/zestovarnews.htm";

struct ListRecord {
  std::string name;
  std::string author;
  std::string date;          // day.month.year, e.g. 12.03.2005
  std::string address;       // where the recipe entry is fetched from
  std::string categoryLine;  // the category name followed by the subcategory names
};

// Splits the page into lines at CR LF, CR and LF (a final line break adds no empty line) and reads
// them in groups of five from the first line; an incomplete last group is dropped.
std::vector<ListRecord> parseListPage(std::string_view body);

// (name, author) of every entry of the main recipe file, then of the update recipe file, in file
// order, then the pairs of the deleted recipes.
using KnownPair = std::pair<std::string, std::string>;
std::vector<KnownPair> knownPairs(store::RecipeStore& store, const std::vector<KnownPair>& deleted);

// For each known pair in order: the first record whose name equals the pair's name without regard to
// letter case (umlauts included) is removed when its author equals the pair's author exactly. Only
// that first record of the name is looked at.
void removeKnown(std::vector<ListRecord>& offer, const std::vector<KnownPair>& known);

// The records of a category filter: all for "Alle", otherwise those whose category line begins with
// the filter name (exact). With ticked subcategories given (a category other than "Alle"), a record
// also needs one of them in its category line from the filter name's last character on (the contains
// test, A to Z folded).
inline constexpr std::string_view kAllCategories = "Alle";
std::vector<std::size_t> filterOffer(const std::vector<ListRecord>& offer, std::string_view filterName,
                                     const std::vector<std::string>* tickedSubcategories);

// Orders the publication dates day.month.year by year, month, day. A part is the text up to its dot;
// without the dots the scan stops at the text's last character. A part that is no number counts as 0.
int compareDates(std::string_view a, std::string_view b);

// The order of the other columns: texts without regard to ASCII letter case, character codes otherwise.
int compareTexts(std::string_view a, std::string_view b);

}  // namespace zestovar::online
