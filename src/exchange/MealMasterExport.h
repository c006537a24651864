// The book as a Meal-Master file, so recipes can move to any other recipe program. Reading the file
// back gives the same names, persons, ingredient lines and preparation.
#pragma once

#include <string>

#include "store/Entry.h"

namespace zestovar::exchange {

// One recipe in Meal-Master form (Windows-1252, lines ended by CR LF), followed by a blank line.
void appendMealMaster(std::string& out, const store::StoredRecipe& recipe);

}  // namespace zestovar::exchange
