// The plain steps of the editors: the wrap-point conversion and its reading back, and the fields
// handed to the store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/RecipeFields.h"
#include "editing/SubcategoryTicks.h"

namespace {

using namespace zestovar::editing;
using Lines = std::vector<std::string>;

TEST(WrapPoints, BlankBeforeAWrapOrALineEndBecomesCrCrLfAndOtherWrapsKeepTheWordsWhole) {
  const auto wrap = [](std::string text) { return ShownLine{std::move(text), LineEnd::Wrap}; };
  const auto ended = [](std::string text) { return ShownLine{std::move(text), LineEnd::Paragraph}; };
  const auto shiftEnter = [](std::string text) { return ShownLine{std::move(text), LineEnd::LineBreak}; };
  const std::vector<std::pair<std::vector<ShownLine>, std::string>> cases = {
      {{}, ""},
      {{ended("Kochen.")}, "Kochen."},
      {{wrap("Zwiebeln in feine "), ended("Scheiben schneiden.")}, "Zwiebeln in feine\r\r\nScheiben schneiden."},
      {{ended("Anbraten."), ended("Zugedeckt schmoren ")}, "Anbraten.\r\nZugedeckt schmoren\r\r\n"},
      {{ended("Erster Schritt"), ended(""), ended("Zweiter Schritt")}, "Erster Schritt\r\n\r\nZweiter Schritt"},
      {{ended(" "), ended("b")}, "\r\r\nb"},
      {{wrap("drei   "), ended("Blanks")}, "drei  \r\r\nBlanks"},
      // Qt wraps after a hyphen, a slash, a tab, a soft hyphen and inside a word longer than the line.
      {{wrap("Dreizehn-"), wrap("Vierzehn-"), ended("F\xfcnfzehn")}, "Dreizehn-Vierzehn-F\xfcnfzehn"},
      {{wrap("www.example.org/"), ended("rezepte")}, "www.example.org/rezepte"},
      {{wrap("Mehl\t"), ended("Zucker")}, "Mehl\tZucker"},
      {{wrap("Zwiebel\xad"), ended("schneider")}, "Zwiebel\xadschneider"},
      {{wrap("Donaudampfschiff"), wrap("fahrtsgesell"), ended("schaft")}, "Donaudampfschifffahrtsgesellschaft"},
      // Lines the user ended stay ended, with Enter as with Shift+Enter; a no-break space is no blank.
      {{ended("Vanille-"), shiftEnter("Eis"), ended("")}, "Vanille-\r\nEis\r\n"},
      {{shiftEnter("Tab\t"), shiftEnter("ab\xa0"), ended("zwei Blanks  ")}, "Tab\t\r\nab\xa0\r\nzwei Blanks \r\r\n"},
  };
  for (const auto& [lines, text] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(convertWrapPoints(lines), text);
  }
}

TEST(WrapPoints, LoadingIsTheInverseOfTheConversion) {
  EXPECT_EQ(preparationLines("a\r\r\nb\r\nc\rd\ne"), (Lines{"a ", "b", "c", "d", "e"}));
  EXPECT_EQ(preparationLines(""), (Lines{""}));
  EXPECT_EQ(preparationLines("Ende\r\n"), (Lines{"Ende", ""}));
  EXPECT_EQ(preparationLines("drei  \r\r\nBlanks"), (Lines{"drei   ", "Blanks"}));

  // Whatever the conversion wrote, loaded and shown as paragraphs, converts to the same bytes: the
  // paragraphs of a text saved at a width are display lines at that width.
  const std::vector<std::vector<ShownLine>> saved = {
      {{"Zwiebeln in feine ", LineEnd::Wrap}, {"Scheiben ", LineEnd::Wrap}, {"schneiden.", LineEnd::Paragraph}},
      {{"drei   ", LineEnd::Wrap}, {"Blanks ", LineEnd::Paragraph}, {"", LineEnd::Paragraph}},
      {{"Vanille-", LineEnd::LineBreak}, {"Eis  ", LineEnd::Paragraph}, {" ", LineEnd::Paragraph}},
      {{"", LineEnd::Paragraph}, {"", LineEnd::Paragraph}},
      {{"Dreizehn-", LineEnd::Wrap}, {"Vierzehn ", LineEnd::Wrap}, {"Mehl\t", LineEnd::Paragraph}},
  };
  for (const std::vector<ShownLine>& lines : saved) {
    const std::string text = convertWrapPoints(lines);
    SCOPED_TRACE(text);
    std::vector<ShownLine> loaded;
    for (const std::string& paragraph : preparationLines(text)) loaded.push_back({paragraph, LineEnd::Paragraph});
    EXPECT_EQ(convertWrapPoints(loaded), text);
  }

  // A text from elsewhere with lone CRs and LFs: the first save writes CR LF, and from then on the
  // text stays as it is.
  std::vector<ShownLine> foreign;
  for (const std::string& paragraph : preparationLines("a\rb\nc\n")) foreign.push_back({paragraph});
  EXPECT_EQ(convertWrapPoints(foreign), "a\r\nb\r\nc\r\n");
}

TEST(RecipeFields, TickedNamesInListOrderOneLineFieldsAndTheCategoryCheck) {
  RecipeFields fields;
  fields.category = "Hauptgericht";
  fields.subcategories = {{"Rind", true}, {"Saucen", false}, {"Wild", true}};
  fields.name =
      "Gulasch\r\nmit Kn\xf6"
      "deln";
  fields.author = "Quenna\n";
  fields.origin = "\rungarisch";
  const zestovar::store::NewRecipe recipe = zestovar::editing::toNewRecipe(fields);
  EXPECT_EQ(recipe.subcategories, (Lines{"Rind", "Wild"}));
  EXPECT_EQ(recipe.name,
            "Gulasch  mit Kn\xf6"
            "deln");
  EXPECT_EQ(recipe.author, "Quenna ");
  EXPECT_EQ(recipe.origin, " ungarisch");
  const std::string fifty(50, 'x');
  EXPECT_EQ(zestovar::editing::storedName(fifty + "yz"), fifty);
  EXPECT_EQ(zestovar::editing::storedName("a\r\nb"), "a  b");

  EXPECT_TRUE(zestovar::editing::hasCategory(fields));
  for (const char* text : {"Kategorie w\xe4hlen", "hauptgericht", "Hauptgericht ", ""}) {
    fields.category = text;
    EXPECT_FALSE(zestovar::editing::hasCategory(fields)) << text;
  }
  fields.category = "Hauptgericht";
  for (auto& item : fields.subcategories) item.ticked = false;
  EXPECT_FALSE(zestovar::editing::hasCategory(fields));
}

TEST(SubcategoryTicks, WordsTickTheirItemsWithoutLetterCaseAndTicksStay) {
  const auto ticks = [](std::string_view words) {
    std::vector<Subcategory> items = {{"Eingekochtes"}, {"Gem\xfcse"}, {"Suppen", true}};
    zestovar::editing::tickNamed(items, words);
    std::string shown;
    for (const Subcategory& item : items) shown += item.ticked ? 'x' : '.';
    return shown;
  };
  EXPECT_EQ(ticks(""), "..x");
  EXPECT_EQ(ticks(" suppen EINGEKOCHTES"), "x.x");
  // Any number of blanks separates the words; an accented capital folds as well.
  EXPECT_EQ(ticks("  GEM\xdcSE   "), ".xx");
  // A word names a whole item.
  EXPECT_EQ(ticks("Suppe Eingekochtes2 Wild"), "..x");
}

}  // namespace
