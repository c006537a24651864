// The recipe page for another number of persons.
#include <gtest/gtest.h>

#include <filesystem>

#include "StoreFixtures.h"
#include "store/RecipeStore.h"
#include "store/TextRecipe.h"
#include "views/RecipePage.h"

using namespace zestovar;
using test::EntryRecords;

namespace {

const std::string kDefaultPicture = "default-picture-bytes";

class PersonsPageTest : public ::testing::Test {
 protected:
  std::string show(const std::string& name, std::optional<int> persons) {
    store::RecipeStore store(dir.path());
    shown = views::showRecipePage(
        store, name, kDefaultPicture, [](const std::string&) {}, persons);
    return dir.read("Rezept.htm");
  }
  test::TempDir dir;
  views::ShownPage shown;
};

TEST_F(PersonsPageTest, AmountsAreScaledAndThePersonsTextNamesTheNewNumber) {
  EntryRecords e = test::named("Gulasch", "Hauptgericht");
  e.ingredients = {"500 g Rind", "3 Zwiebeln", "Salz und Pfeffer", "1 1/2 EL Paprika", "2-3 Lorbeerbl\xe4tter"};
  e.preparation = "Anbraten.";
  e.persons = "4";
  dir.write("zsv.dat", test::buildEntry(e));

  EXPECT_EQ(show("Gulasch", 1),
            "<body><font size=\"3\"><b>Gulasch</b></font><font size=\"2\"> (Zutaten f\xfcr 1 Person)</font><br>\r\n"
            "<font size=\"1\">Autor: Quenna</font><br><br>\r\n"
            "<font size=\"2\">\r\n"
            "125 g Rind<br>\r\n"
            "0,75 Zwiebeln<br>\r\n"
            "Salz und Pfeffer<br>\r\n"
            "0,38 EL Paprika<br>\r\n"
            "0,5-0,75 Lorbeerbl\xe4tter<br>\r\n"
            "<br>\r\n"
            "Anbraten.\r\n\r\n"
            "</font></body>\r\n");
  EXPECT_EQ(shown.persons, "4");
}

TEST_F(PersonsPageTest, ARecordWithoutANumberKeepsThePlainPage) {
  EntryRecords e = test::named("Brot", "Backwaren");
  for (const char* persons : {"", "viele", "2-3", "4,5", "\xbd", "0", "51", " 4"}) {
    SCOPED_TRACE(persons);
    e.persons = persons;
    dir.write("Zestovar.dat", test::buildEntry(e));
    EXPECT_EQ(show("Brot", 2), show("Brot", std::nullopt));
    EXPECT_EQ(shown.persons, persons);
  }
  // A number with a word after it is the number; the page names the new number alone.
  e.persons = "4 Personen";
  dir.write("Zestovar.dat", test::buildEntry(e));
  EXPECT_NE(show("Brot", 2).find("(Zutaten f\xfcr 2 Personen)"), std::string::npos);
  EXPECT_EQ(show("Brot", 4), show("Brot", std::nullopt));
}

TEST(PersonsPage, TheRecipesOwnNumberGivesThePlainPageForEveryShippedRecipe) {
  test::TempDir dir;
  auto disk = store::diskFiles();
  std::vector<store::NewRecipe> recipes;
  for (const auto& item : std::filesystem::directory_iterator(std::string(ZESTOVAR_DATA_DIR) + "/recipes"))
    if (item.path().extension() == ".txt") recipes.push_back(store::readTextRecipeFile(*disk, item.path()).recipe);
  ASSERT_GT(recipes.size(), 20u);
  store::RecipeStore store(dir.path());
  store.appendEntries(recipes);

  int withNumber = 0;
  for (const store::NewRecipe& recipe : recipes) {
    SCOPED_TRACE(recipe.name);
    const auto persons = views::personsNumber(recipe.persons);
    const auto page = [&](std::optional<int> n) {
      views::showRecipePage(
          store, recipe.name, kDefaultPicture, [](const std::string&) { ADD_FAILURE(); }, n);
      return dir.read("Rezept.htm");
    };
    const std::string plain = page(std::nullopt);
    EXPECT_EQ(page(persons.value_or(views::kMostPersons)), plain);
    if (!persons) continue;
    ++withNumber;
    EXPECT_NE(page(*persons == 1 ? 2 : 1), plain);
  }
  EXPECT_GT(withNumber, 50);
}

}  // namespace
