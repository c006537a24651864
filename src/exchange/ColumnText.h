// Meal-Master and RezKonv text files: recipes between a start and an end line, a header of named
// fields, ingredients in fixed columns and the directions. RezKonv is the Meal-Master variant of the
// German newsgroups; one file may hold recipes of both.
//
//   MMMMM----- Recipe via Meal-Master (tm) v8.05      ========== REZKONV-Rezept - RezkonvSuite v1.4
//
//         Title: Linsensuppe                                 Titel: Linsensuppe
//    Categories: Suppe, Eintopf                         Kategorien: Suppe, Eintopf
//      Servings: 4                                           Menge: 4 Personen
//
//       250 g  Linsen                                      250 g  Linsen
//   MMMMM-----Einlage-----                               =====Einlage=====
//         2    Wiener Wuerstchen                             2    Wiener Wuerstchen
//
//   Die Linsen ...                                       Die Linsen ...
//                                                        ===== QUELLE =====
//   Erfasser: Anna Beispiel                                -- Erfasst *RK* 01.02.2003 von
//                                                          -- Anna Beispiel
//   MMMMM                                                =====
//
// The header is the block of fields after the start line, up to the first blank line after a field;
// a field name further down is text. Ingredient columns (1-based): amount 1-7, unit 9-10, text from
// 12; a text beginning with "-" continues the ingredient above. Two ingredients side by side put the
// second column at 41; the left column is read down first, then the right one.
//
// The format has no escape of its own, so our export writes a recipe line that would be read as a
// line of the format (an ingredient "MMMMM", a preparation line "Erfasser: Mallory", an ingredient
// beginning with "-", ...) with a ">" in front: before the text of an ingredient, at the start of a
// preparation line. Such a line is text to every reader; ours drops the ">" again, but only where the
// rest would need it, so a ">" a recipe of another program begins a line with stays.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "exchange/Encoding.h"
#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

// The start line of our own export; the recipes under it are ForeignRecipe::ownExport.
inline constexpr std::string_view kOwnStartLine = "MMMMM----- Quenna's Zestovar [Meal-Master Export Format]";

inline constexpr char kEscape = '>';

// Whether a line of the text starts a Meal-Master or a RezKonv recipe. The start lines are ASCII, so
// the text may be in any of the three encodings.
bool looksLikeColumnText(std::string_view text);
// The number of lines that start a recipe (any of the three encodings).
std::size_t countRecipeStarts(std::string_view text);
// Whether the first line that starts a recipe is the start line of our own export.
bool startsAsOwnExport(std::string_view text);

// Hands every recipe of the file to take as soon as it is read. The lines are converted from the
// encoding to Windows-1252 one at a time, so no second copy of the file is made. Text outside the
// recipes is passed over. A recipe without its end line throws ImportError naming the line where it
// began; an exception thrown by take passes on.
void parseColumnText(std::string_view bytes, Encoding encoding, const std::function<void(ForeignRecipe&&)>& take);
// Every recipe of the text (Windows-1252).
std::vector<ForeignRecipe> parseColumnText(std::string_view cp1252Text);

// Whether a preparation line (without blanks at its ends) must be written with kEscape in front.
// Also true for an empty line, which a blank line cannot stand for before the first and after the
// last paragraph.
bool directionNeedsEscape(std::string_view line);
// Whether the text of an ingredient line must begin with kEscape. columns: the eleven characters of
// the amount and the unit columns; continuation: the text follows the "-" of a continuation line.
bool ingredientNeedsEscape(std::string_view columns, bool continuation, std::string_view text);

}  // namespace zestovar::exchange
