// The plain parts of the shopping list: the block a recipe adds, typed lines and the print page.
#include <gtest/gtest.h>

#include "StoreFixtures.h"
#include "lists/ShoppingList.h"
#include "store/Errors.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using Lines = std::vector<std::string>;

class RecipeBlock : public ::testing::Test {
 protected:
  Lines block(std::string_view name) {
    store::RecipeStore store(dir.path(), dir.files());
    return lists::recipeBlock(store, name);
  }
  MemoryDir dir;
};

TEST_F(RecipeBlock, EntriesOfBothFilesMainFirstWithoutOriginRecords) {
  EntryRecords update = named("Linsensuppe");
  update.originPair = false;
  update.ingredients = {"1 Zwiebel", "$!$ nicht am Anfang"};
  EntryRecords main = named("Linsensuppe");
  main.origin = "deutsch";
  main.ingredients = {"250 g Linsen", "1 l Wasser"};
  EntryRecords other = named("Linsensuppe_0");
  other.ingredients = {"Speck"};
  EntryRecords casing = named("linsensuppe");
  casing.ingredients = {"Salz"};
  dir.write("zsv.dat", buildEntry(update));
  dir.write("Zestovar.dat", buildEntry(other) + buildEntry(main) + buildEntry(casing));

  EXPECT_EQ(block("Linsensuppe"),
            (Lines{"Linsensuppe", "", "250 g Linsen", "1 l Wasser", "1 Zwiebel", "$!$ nicht am Anfang", "", ""}));
}

TEST_F(RecipeBlock, NameWithoutIngredientsOrWithoutEntryGivesTheEmptyLines) {
  EntryRecords bare = named("Wasser");
  bare.ingredients = {};
  EntryRecords bareWithoutOrigin = named("Eis");
  bareWithoutOrigin.ingredients = {};
  bareWithoutOrigin.originPair = false;
  dir.write("Zestovar.dat", buildEntry(bare) + buildEntry(bareWithoutOrigin));

  for (const char* name : {"Wasser", "Eis", "K", ""}) EXPECT_EQ(block(name), (Lines{name, "", "", ""}));
}

TEST_F(RecipeBlock, BrokenFileEndsTheWalkWithItsError) {
  EntryRecords broken = named("Linsensuppe");
  broken.n2Text = "viele";
  dir.write("Zestovar.dat", buildEntry(broken) + buildEntry(named("Erbsensuppe")));
  try {
    block("Linsensuppe");
    FAIL() << "no error";
  } catch (const store::StoreError& error) {
    EXPECT_STREQ(error.what(), "'viele' ist kein g\xc3\xbcltiger Integerwert");
  }
}

TEST(ShoppingLines, TypedLineKeepsItsBlanksAndLosesItsLineBreaks) {
  EXPECT_EQ(lists::typedLine("  2 Eier "), "  2 Eier ");
  EXPECT_EQ(lists::typedLine("Mehl\r\nZucker\rSalz\n"), "Mehl  Zucker Salz ");
  EXPECT_EQ(lists::typedLine(""), "");
}

// Windows-1252 bytes: \374 ü, \334 Ü, \xc4 Ä, \226 the en dash.
TEST(MergedShoppingList, SameIngredientAndUnitAddUpFirstSpellingFirstOrder) {
  struct Case {
    Lines list;
    Lines merged;
  };
  const Case cases[] = {
      {{"200 g Mehl", "3 Eier", "300 g Mehl", "2 Eier"}, {"500 g Mehl", "5 Eier"}},
      {{"600 g Mehl", "0,5 kg Mehl"}, {"1,1 kg Mehl"}},
      {{"0,5 kg Zucker", "250 G zucker"}, {"750 g Zucker"}},
      {{"1kg Kartoffeln", "1.000 g Kartoffeln", "1/2 kg  Kartoffeln"}, {"2,5kg Kartoffeln"}},
      {{"500 ml Milch", "1 L Milch"}, {"1,5 l Milch"}},
      {{"2 Dosen Tomaten", "1 dose tomaten", "1 Prise Salz", "2 Prisen Salz"}, {"3 Dosen Tomaten", "3 Prise Salz"}},
      {{"1 St\374ck Ingwer", "2 ST\334CK Ingwer"}, {"3 St\374ck Ingwer"}},
      {{"1 EL Butter", "1 TL Butter", "100 g Butter", "Butter", "1 Butter"},
       {"1 EL Butter", "1 TL Butter", "100 g Butter", "1 Butter", "Butter"}},
      {{"1 Msp. Muskat", "1 Msp.n Muskat"}, {"1 Msp. Muskat", "1 Msp.n Muskat"}},
      {{"1\xbd Zwiebeln", "  2   rote  ZWIEBELN", "1 roteZwiebeln"}, {"1\xbd Zwiebeln", "  3   rote  ZWIEBELN"}},
      {{"2-3 \xc4pfel", "1 \xc4pfel", "Salz und Pfeffer", "2 \xc4pfel", "1\2262 \xc4pfel", "1 kg"},
       {"3 \xc4pfel", "2-3 \xc4pfel", "Salz und Pfeffer", "1\2262 \xc4pfel", "1 kg"}},
      {{"1 g Safran", "1 mg Safran", "1 cl Rum", "1 ml Rum"}, {"1 g Safran", "1 mg Safran", "1 cl Rum", "1 ml Rum"}},
      {{"0,1 kg Reis", "0,2 kg Reis", "0,7 kg Reis"}, {"1 kg Reis"}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lists::mergedShoppingList(c.list, false), c.merged) << ::testing::PrintToString(c.list);
    EXPECT_EQ(lists::mergedShoppingList(c.list, true), c.merged) << "no recipe block: nothing more to drop";
  }
}

TEST(MergedShoppingList, RecipeBlockNamesAndEmptyLinesGoOnlyWhenAsked) {
  const Lines list = {"Pfannkuchen", "", "200 g Mehl", "2 Eier", "", "", "Kuchen ohne Eintrag", "", "", "",
                      "1 Zitrone",   "", "1 Eier"};
  EXPECT_TRUE(lists::holdsRecipeBlocks(list));
  EXPECT_EQ(lists::mergedShoppingList(list, true), (Lines{"200 g Mehl", "3 Eier", "1 Zitrone", ""}));
  EXPECT_EQ(lists::mergedShoppingList(list, false), (Lines{"Pfannkuchen", "", "200 g Mehl", "3 Eier", "", "",
                                                           "Kuchen ohne Eintrag", "", "", "", "1 Zitrone", ""}));
  // A name line that reads as an amount is a name all the same, and not added to anything.
  const Lines numbered = {"3 Eier", "", "2 Eier", "", ""};
  EXPECT_EQ(lists::mergedShoppingList(numbered, true), Lines{"2 Eier"});
  EXPECT_FALSE(lists::holdsRecipeBlocks({"Mehl", "", "2 Eier", ""}));
  EXPECT_FALSE(lists::holdsRecipeBlocks({"", "", "", ""}));
}

TEST(PrintPage, ListLinesGoInAsTheyStandWrittenWholeUnderTheSpellingFound) {
  MemoryDir dir;
  EXPECT_EQ(lists::writePrintPage(*dir.files(), dir.path(), {"Linsensuppe", "", "1 <b>gro\xdf</b>e Zwiebel"}),
            dir / "temp.htm");
  EXPECT_EQ(dir.read("temp.htm"),
            "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n"
            "<p>Linsensuppe</p>\r\n<p></p>\r\n<p>1 <b>gro\xdf</b>e Zwiebel</p>\r\n");

  MemoryDir other;
  other.write("TEMP.HTM", "an older and longer page than the next one");
  EXPECT_EQ(lists::writePrintPage(*other.files(), other.path(), {}), other / "TEMP.HTM");
  EXPECT_EQ(other.names(), Lines{"TEMP.HTM"});
  EXPECT_EQ(other.read("TEMP.HTM"), "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n");

  other->failWritesAfter(0);
  EXPECT_THROW(lists::writePrintPage(*other.files(), other.path(), {"Mehl"}), store::StoreError);
}

}  // namespace
}  // namespace zestovar::test
