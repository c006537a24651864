// The recipe fields as the recipe editor and the change dialog hold them, and the plain steps from
// those fields to the entry the store writes. All texts are Windows-1252.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/Entry.h"

namespace zestovar::editing {

struct Subcategory {
  std::string name;
  bool ticked = false;
};

struct RecipeFields {
  std::string category;
  std::vector<Subcategory> subcategories;  // the items of the subcategory list, in its order
  std::string name;
  std::string origin;
  std::vector<std::string> ingredients;  // the lines of the ingredients memo
  std::vector<std::string> preparation;  // the lines of the preparation memo as the memo shows them
  std::string author;
  std::string persons;
  std::filesystem::path picture;  // empty: no picture
};

// A field of one line never holds a line break: CR and LF become blanks, so that a name pasted with
// its line end cannot split a side file line or a mail header later.
std::string singleLine(std::string_view text);

// The name as the store keeps it: one line, cut to the 50 characters of a record. The name check
// before a save compares this form, since two names that differ only after 50 characters are one.
std::string storedName(std::string_view name);

// A category of the six is chosen and at least one of its subcategories ticked.
bool hasCategory(const RecipeFields& fields);

// The wrap-point conversion of the preparation memo: a line that is not empty and ends in a blank
// lost its line end to the memo's word wrap (or the user ended it with a blank); it loses the blank
// and ends with CR CR LF, also as the last line. The other lines are separated by CR LF.
std::string convertWrapPoints(const std::vector<std::string>& lines);

// The lines of a stored preparation text for the memo: CR CR LF, CR LF, a lone CR and a lone LF
// each end one line, so the line ends the conversion wrote read back as one line end each.
std::vector<std::string> preparationLines(std::string_view text);

// The entry the store writes for the fields: the ticked subcategories in list order, the one-line
// fields without line breaks, the preparation through the wrap-point conversion.
store::NewRecipe toNewRecipe(const RecipeFields& fields);

}  // namespace zestovar::editing
