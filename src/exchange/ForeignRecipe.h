// Recipes as the exchange files of other recipe programs hold them: Meal-Master and RezKonv text
// files, CookML XML files. The parsers turn a file into these fields; Mapping.h makes recipes of ours
// from them.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zestovar::exchange {

// One recipe of an exchange file. All texts are Windows-1252, trimmed of blanks at both ends.
struct ForeignRecipe {
  std::string title;
  std::vector<std::string> categories;  // the category words, as written
  std::string servings;                 // as written: "4", "4 Personen", "1 Kuchen"; empty when none
  std::string author;                   // the recipe's author, "Erfasser" or source; empty when none
  // One line per ingredient: amount, unit and text joined by single blanks, continuation lines joined;
  // a sub-heading is a line of its own ending in ":".
  std::vector<std::string> ingredients;
  std::vector<std::string> paragraphs;  // the preparation, a paragraph each
  std::string picture{};                // a JPEG picture's bytes, when the file carries one
  std::string origin{};                 // one of the origin names of the book; empty: none named
  std::string pictureAddress{};         // a web page's picture, an absolute address; empty when none
  // Written by our own Meal-Master export, whose fields are the records of a recipe as they stood: an
  // empty title or author means an empty record, not a missing one, and the servings are the persons
  // record itself.
  bool ownExport = false;
};

// A file that cannot be read as a whole. The message is UTF-8 and names the line where it can.
class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Paragraphs from the lines of a preparation: lines of one paragraph are joined by a blank, a blank
// line ends a paragraph and every further blank line adds an empty paragraph. Blank lines before the
// first and after the last paragraph count for nothing.
class ParagraphBuilder {
 public:
  void addLine(std::string_view line);
  // A line that holds no text, yet unlike a blank line begins a paragraph: followed by a blank line
  // it is an empty paragraph, also before the first and after the last one.
  void addEmptyParagraph();
  // Ends the paragraph being built, without counting a blank line.
  void endParagraph();
  std::vector<std::string> finish();

 private:
  std::vector<std::string> paragraphs_;
  std::string current_;
  bool open_ = false;  // a paragraph is begun and not ended yet
  int blanks_ = 0;     // blank lines since the last paragraph ended
};

// A picture the import may store: a whole JPEG picture whose bytes the store can hold.
bool storablePicture(std::string_view bytes);

// The text without blanks, tabs, carriage returns and line feeds at both ends.
std::string_view trimmed(std::string_view text);

}  // namespace zestovar::exchange
