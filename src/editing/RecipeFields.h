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

// How a line of a memo ends as the memo shows it: where the memo wrapped it to its width, at the end
// of a paragraph (Enter, or the end of the text), or at a line break inside a paragraph
// (Shift+Enter).
enum class LineEnd { Wrap, Paragraph, LineBreak };

struct ShownLine {
  std::string text;
  LineEnd end = LineEnd::Paragraph;
};

struct RecipeFields {
  std::string category;
  std::vector<Subcategory> subcategories;  // the items of the subcategory list, in its order
  std::string name;
  std::string origin;
  std::vector<std::string> ingredients;  // the lines of the ingredients memo
  std::vector<ShownLine> preparation;    // the lines of the preparation memo as the memo shows them
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

// The wrap-point conversion of the preparation memo. A line that is not empty and ends in a blank
// loses the blank and ends with CR CR LF, also as the last line: where the memo wrapped it, and
// where the user ended it. At a wrap point that follows no blank (after a hyphen, a slash, a tab, a
// soft hyphen, inside a word longer than the memo) nothing is inserted, so the words stay whole.
// A line the user ended ends with CR LF; the last line with nothing.
std::string convertWrapPoints(const std::vector<ShownLine>& lines);

// The paragraphs of a stored preparation text for the memo, the inverse of the conversion: CR CR LF
// ends a line that ended in a blank and gives the blank back, CR LF ends a line, and so do a lone CR
// and a lone LF of a text from elsewhere. A final line end leaves an empty last paragraph, so it is
// written again with the next save.
std::vector<std::string> preparationLines(std::string_view text);

// The entry the store writes for the fields: the ticked subcategories in list order, the one-line
// fields without line breaks, the preparation through the wrap-point conversion.
store::NewRecipe toNewRecipe(const RecipeFields& fields);

}  // namespace zestovar::editing
