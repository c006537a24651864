// The order and the letter items of the recipe lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zestovar::store {

// Alphabetical order without regard to letter case, German style (ä sorts with a, ß as ss);
// texts are Windows-1252. Blanks and punctuation come before digits, digits before letters.
bool browseLess(std::string_view a, std::string_view b);

// Sorts texts in that order (keys are built once per text).
void sortBrowseList(std::vector<std::string>& items);

// A recipe list of more than this many names receives the letter items "A" to "Z".
inline constexpr std::size_t kLetterItemThreshold = 20;

// Adds the letter items when the list holds more than 20 names, then sorts it.
void finishRecipeList(std::vector<std::string>& names);

bool isLetterItem(std::string_view text);

}  // namespace zestovar::store
