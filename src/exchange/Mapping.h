// Recipes of ours from the recipes of exchange files: the category from the category words, the
// persons from the servings, the fields cut to what the recipe records hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"
#include "store/Entry.h"

namespace zestovar::exchange {

// The author of a recipe whose file names none.
inline constexpr std::string_view kDefaultAuthor = "Import";
// The name of a recipe whose file gives it no title.
inline constexpr std::string_view kUntitled = "Ohne Titel";

struct CategoryChoice {
  std::string category;                    // one of the six category names (Windows-1252)
  std::vector<std::string> subcategories;  // in the order of the editor's list
};

// The category of a recipe from its category words (Windows-1252): a word that is one of our category
// names chooses it, else the first word the table of German and English words knows. The
// subcategories are those the words name in the chosen category, "Sonstiges" when they name none.
// Without a known word: the fallback category with "Sonstiges".
CategoryChoice chooseCategory(const std::vector<std::string>& words, std::string_view fallbackCategory);

// The persons record from the servings: the number of "4", "4 Personen", "6 Portionen", "4 servings";
// any other text as it stands.
std::string personsOf(std::string_view servings);

// The recipe to store: the name is the title on one line, cut to 50 characters as the store cuts it;
// ingredient lines longer than a record are carried on in further lines (broken at a blank where there
// is one), so no text is cut off; the paragraphs become lines of the preparation. No record of one
// line (name, ingredient line, author, persons) holds a control character: each run of line breaks,
// tabs or NUL becomes one blank; the preparation's lines are separated by CR LF. A recipe of our own
// export keeps an empty name and author and its persons record as they stand. The origin is the
// recipe's when it names one, else "keine Angabe".
store::NewRecipe toNewRecipe(const ForeignRecipe& recipe, std::string_view fallbackCategory);

// The name the recipe gets in the book (the key of the name check).
std::string storedNameOf(const ForeignRecipe& recipe);

}  // namespace zestovar::exchange
