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
