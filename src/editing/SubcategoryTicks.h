// The ticks a stored recipe puts into a subcategory list. Texts are Windows-1252.
#pragma once

#include <string_view>
#include <vector>

#include "editing/RecipeFields.h"

namespace zestovar::editing {

// Ticks the items that a word of a record's subcategory words names: the words are separated by
// blanks and compared without regard to letter case, so a recipe written as "suppen" still ticks
// "Suppen". A word that names no item ticks nothing, and an item ticked before stays ticked.
void tickNamed(std::vector<Subcategory>& items, std::string_view words);

}  // namespace zestovar::editing
