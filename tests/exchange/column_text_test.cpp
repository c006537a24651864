// Meal-Master and RezKonv files read into recipe fields: the sample files in their three encodings,
// sub-headings, continuation lines, two ingredient columns, source blocks, and files that are broken.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Samples.h"
#include "StoreFixtures.h"
#include "exchange/ColumnText.h"
#include "exchange/Encoding.h"

using namespace zestovar::exchange;
using zestovar::test::sample;

namespace {

std::vector<ForeignRecipe> readSample(const char* name) {
  const std::string bytes = sample(name);
  return parseColumnText(toCp1252(bytes, detectEncoding(bytes)));
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ColumnText, MealMasterSampleInEveryEncoding) {
  for (const char* name : {"rezepte.mmf", "rezepte-dos.mmf", "rezepte-utf8.mmf"}) {
    SCOPED_TRACE(name);
    const auto recipes = readSample(name);
    ASSERT_EQ(recipes.size(), 3u);

    const ForeignRecipe& soup = recipes[0];
    EXPECT_EQ(soup.title, "Linsensuppe mit W\xfcrstchen");
    EXPECT_EQ(soup.categories, (Lines{"Suppe", "Eintopf"}));
    EXPECT_EQ(soup.servings, "4 Personen");
    EXPECT_EQ(soup.author, "Anna Beispiel");
    EXPECT_EQ(soup.ingredients,
              (Lines{"250 g Tellerlinsen", "1 Zwiebel, fein gew\xfcrfelt", "1 l Gem\xfcsebr\xfche",
                     "2 EL Essig oder etwas Zitronensaft", "Einlage:", "4 Wiener W\xfcrstchen", "Salz, Pfeffer"}));
    EXPECT_EQ(soup.paragraphs, (Lines{"Die Linsen mit der Zwiebel in der Br\xfche etwa 40 Minuten weich kochen.",
                                      "Mit Essig abschmecken und die W\xfcrstchen darin hei\xdf werden lassen."}));

    // Two columns: the left one read down first; a blank line more between paragraphs keeps an empty one.
    const ForeignRecipe& cake = recipes[1];
    EXPECT_EQ(cake.servings, "1 Blech");
    EXPECT_EQ(cake.author, "");
    EXPECT_EQ(cake.ingredients,
              (Lines{"Teig:", "500 g Mehl", "80 g Zucker", "1 Ei", "1 pk Trockenhefe", "250 ml Milch, lauwarm", "Salz",
                     "Belag:", "1 1/2 kg \xc4pfel, gesch\xe4lt, in Spalten geschnitten", "\xbd TL Zimt"}));
    ASSERT_EQ(cake.paragraphs.size(), 3u);
    EXPECT_EQ(cake.paragraphs[1], "");

    // The older start line of dashes with its end line "-----".
    EXPECT_EQ(recipes[2].title, "Feierabend-Cocktail");
    EXPECT_EQ(recipes[2].ingredients, (Lines{"4 cl Orangensaft", "2 cl Grenadine"}));
    EXPECT_EQ(recipes[2].paragraphs, (Lines{"Alles im Shaker mit Eis sch\xfctteln."}));
  }
}

TEST(ColumnText, RezKonvSourceBlockNamesTheAuthor) {
  const auto recipes = readSample("rezkonv.txt");
  ASSERT_EQ(recipes.size(), 2u);
  const ForeignRecipe& gratin = recipes[0];
  EXPECT_EQ(gratin.title, "Kartoffelgratin");
  EXPECT_EQ(gratin.categories, (Lines{"Kartoffeln", "Auflauf", "Vegetarisch"}));
  EXPECT_EQ(gratin.servings, "4 Portionen");
  EXPECT_EQ(gratin.author, "Ben Muster");
  EXPECT_EQ(gratin.ingredients,
            (Lines{"1 kg Kartoffeln, festkochend", "200 ml Sahne", "K\xe4se:", "100 g Bergk\xe4se, gerieben"}));
  EXPECT_EQ(gratin.paragraphs.back(),
            "Quelle: Omas K\xfc"
            "chenheft");
  EXPECT_EQ(gratin.paragraphs.size(), 3u);
  EXPECT_EQ(recipes[1].author, "");
  EXPECT_EQ(recipes[1].paragraphs, (Lines{"Zitronen auspressen, mit Zucker und einem Liter Wasser verr\xfchren."}));

  // Without an "Erfasst" line the source's first line names the author.
  const auto bread = parseColumnText(
      "===== REZKONV\nTitel: Brot\n\n      1    Laib\n\nBacken.\n===== QUELLE =====\n  Brotbuch\n  Seite 4\n=====\n");
  ASSERT_EQ(bread.size(), 1u);
  EXPECT_EQ(bread[0].author, "Brotbuch");
  EXPECT_EQ(bread[0].paragraphs, (Lines{"Backen.", "Quelle: Brotbuch Seite 4"}));
}

TEST(ColumnText, BrokenFilesNameTheLine) {
  const auto message = [](std::string_view text) {
    return zestovar::test::errorText<ImportError>([&] { parseColumnText(text); });
  };
  EXPECT_EQ(message("x\nMMMMM----- Recipe via Meal-Master\n Title: Suppe\n\n  1 l Wasser\n"),
            "Zeile 2: das Rezept \"Suppe\" hat keine Endzeile");
  // A new start line before the end line: the end line of the first recipe is missing.
  EXPECT_EQ(message("MMMMM----- Meal-Master\nTitle: A\nMMMMM----- Meal-Master\nTitle: B\nMMMMM\n"),
            "Zeile 1: das Rezept \"A\" hat keine Endzeile");
  EXPECT_EQ(message("========== REZKONV-Rezept\n Titel: K\xe4se\n"),
            "Zeile 1: das Rezept \"K\xc3\xa4se\" hat keine Endzeile");
  EXPECT_TRUE(parseColumnText("Nur Text, kein Rezept.\nMMMMM\n").empty());
  EXPECT_FALSE(looksLikeColumnText("Nur Text\n-----\nMMMMM\n====="));
  EXPECT_TRUE(looksLikeColumnText("\r\n\r\n========== REZKONV-Rezept - RezkonvSuite v1.4\r\n"));
}

TEST(ColumnText, DirectionsAndOddColumnsAreNotTakenForIngredients) {
  const auto recipes = parseColumnText(
      "MMMMM----- Meal-Master\n"
      "Title: Probe\n"
      "\n"
      "    250 g  Mehl                            ohne zweite Spalte\n"
      "180 Grad vorheizen.\n"
      "           Eingerueckt bleibt Text.\n"
      "MMMMM\n");
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].ingredients, (Lines{"250 g Mehl                            ohne zweite Spalte"}));
  EXPECT_EQ(recipes[0].paragraphs, (Lines{"180 Grad vorheizen. Eingerueckt bleibt Text."}));
}

TEST(ColumnText, FieldsAreReadInTheHeaderBlockOnly) {
  const auto recipes = parseColumnText(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
      "\n"
      "      Title: Rote Gr\xfctze\n"
      " Categories: Dessert\n"
      "      Yield: 4 Portionen\n"
      "\n"
      "           Categories: Obst\n"
      "    500 g  Beeren\n"
      "\n"
      "Title: Omas Art\n"
      "Servings: 8\n"
      "MMMMM\n");
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].title, "Rote Gr\xfctze");
  EXPECT_EQ(recipes[0].categories, (Lines{"Dessert"}));
  EXPECT_EQ(recipes[0].servings, "4 Portionen");
  EXPECT_EQ(recipes[0].ingredients, (Lines{"Categories: Obst", "500 g Beeren"}));
  EXPECT_EQ(recipes[0].paragraphs, (Lines{"Title: Omas Art Servings: 8"}));
  EXPECT_FALSE(recipes[0].ownExport);

  // Our own export is told by its start line.
  const auto own =
      parseColumnText(std::string(kOwnStartLine) + "\r\n      Title: \r\n Categories: Suppe\r\n\r\nMMMMM\r\n");
  ASSERT_EQ(own.size(), 1u);
  EXPECT_TRUE(own[0].ownExport);
  EXPECT_EQ(own[0].title, "");
}

TEST(ColumnText, EscapeIsDroppedOnlyWhereTheRestNeedsIt) {
  // A ">" before a line that needs no escape is the recipe's own text, in any file.
  const auto recipes = parseColumnText(
      "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
      "      Title: Zitate\n"
      "\n"
      "           >MMMMM\n"
      "           >Salz\n"
      "      1 EL >Zucker\n"
      "           >-Deko\n"
      "\n"
      ">Erfasser: Mallory\n"
      ">Wie Oma sagte\n"
      ">>1.\n"
      "Erfasser: Anna\n"
      "MMMMM\n");
  ASSERT_EQ(recipes.size(), 1u);
  EXPECT_EQ(recipes[0].ingredients, (Lines{"MMMMM", ">Salz", "1 EL >Zucker", "-Deko"}));
  EXPECT_EQ(recipes[0].paragraphs, (Lines{"Erfasser: Mallory >Wie Oma sagte >1."}));
  EXPECT_EQ(recipes[0].author, "Anna");
}

TEST(ColumnText, LinesAreConvertedOneByOne) {
  // "Würstchen" in code page 850 and in UTF-8 with its byte order mark.
  const std::string dos = "MMMMM----- Meal-Master\r\nTitle: W\x81rstchen\r\n\r\nMMMMM\r\n";
  const std::string utf8 = "\xef\xbb\xbfMMMMM----- Meal-Master\nTitle: W\xc3\xbcrstchen\n\nMMMMM\n";
  for (const auto& [bytes, encoding] : {std::pair{dos, Encoding::Cp850}, std::pair{utf8, Encoding::Utf8}}) {
    std::vector<std::string> titles;
    parseColumnText(bytes, encoding, [&](ForeignRecipe&& recipe) { titles.push_back(recipe.title); });
    EXPECT_EQ(titles, (Lines{"W\xfcrstchen"}));
  }
  EXPECT_EQ(countRecipeStarts(sample("rezepte.mmf") + sample("rezkonv.txt")), 5u);
}
