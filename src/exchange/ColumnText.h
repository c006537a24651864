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
// Ingredient columns (1-based): amount 1-7, unit 9-10, text from 12; a text beginning with "-" continues
// the ingredient above. Two ingredients side by side put the second column at 41; the left column is
// read down first, then the right one.
#pragma once

#include <string_view>
#include <vector>

#include "exchange/ForeignRecipe.h"

namespace zestovar::exchange {

// Whether a line of the text starts a Meal-Master or a RezKonv recipe.
bool looksLikeColumnText(std::string_view cp1252Text);

// Every recipe of the text (Windows-1252). Text outside the recipes is passed over. A recipe without
// its end line throws ImportError naming the line where it began.
std::vector<ForeignRecipe> parseColumnText(std::string_view cp1252Text);

}  // namespace zestovar::exchange
