// Importing exchange files into a book and writing the book as Meal-Master: the category table, the
// persons, the name check, files that cannot be read, a failing disk, and the way back from an export.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "Samples.h"
#include "StoreFixtures.h"
#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/MealMasterExport.h"
#include "store/Entry.h"
#include "store/RecipeStore.h"
#include "store/RecordReader.h"
#include "store/TextRecipe.h"

using namespace zestovar::exchange;
using zestovar::store::NewRecipe;
using zestovar::store::RecipeStore;
using zestovar::store::StoredRecipe;
using zestovar::test::MemoryDir;
using zestovar::test::sample;
using Lines = std::vector<std::string>;

namespace {

// Every entry of a store, in walk order.
std::vector<StoredRecipe> entries(RecipeStore& store) {
  std::vector<StoredRecipe> out;
  store.walkMainThenUpdate([&](zestovar::store::StoreFile, zestovar::store::RecordReader& in,
                               zestovar::store::EntryHead& head) { out.push_back(readRest(in, head)); });
  return out;
}

std::string mealMaster(const std::vector<StoredRecipe>& recipes) {
  std::string out;
  for (const StoredRecipe& recipe : recipes) appendMealMaster(out, recipe);
  return out;
}

// The preparation as a line list; an editor line break (CR CR LF) is a line break.
Lines preparationLines(const StoredRecipe& recipe) {
  Lines lines;
  std::string text = recipe.preparation();
  std::size_t pos;
  while ((pos = text.find("\r\r\n")) != std::string::npos) text.erase(pos, 1);
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string importError(std::string_view bytes) {
  try {
    readCollection(bytes);
  } catch (const ImportError& error) {
    return error.what();
  }
  return "kein Fehler";
}

}  // namespace

TEST(Mapping, CategoryWordsChooseCategoryAndSubcategories) {
  struct Case {
    Lines words;
    std::string category;
    Lines subcategories;
  };
  const std::vector<Case> cases = {
      {{"Suppe"}, "Suppe", {"Suppen"}},
      {{"Soup"}, "Suppe", {"Suppen"}},
      {{"Eintopf"}, "Suppe", {"Suppen"}},
      {{"Suppen & Eint\xf6pfe"}, "Suppe", {"Suppen"}},
      {{"Kuchen"}, "Backwaren", {"Kuchen"}},
      {{"Cakes", "Cookies"}, "Backwaren", {"Kuchen", "Pl\xe4tzchen"}},
      {{"Getr\xe4nke"}, "Getr\xe4nke", {"Sonstiges"}},
      {{"Drinks"}, "Getr\xe4nke", {"Sonstiges"}},
      {{"Drinks", "Cocktails"}, "Getr\xe4nke", {"Cocktails"}},
      // A word that is our category name chooses it even after other words.
      {{"Kartoffeln", "Hauptgericht", "Vegetarisch"}, "Hauptgericht", {"Kartoffeln", "Vegetarisch"}},
      {{"Backwaren", "Brot"}, "Backwaren", {"Brot"}},
      {{"SUPPE", "Eingekochtes", "Sonstiges"}, "Suppe", {"Eingekochtes", "Sonstiges"}},
      // Words of another category than the chosen one tick nothing.
      {{"Fish", "Kuchen"}, "Hauptgericht", {"Fisch"}},
      {{"Omas Lieblinge"}, "Dessert", {"Sonstiges"}},
      {{}, "Dessert", {"Sonstiges"}},
  };
  for (const Case& c : cases) {
    const CategoryChoice choice = chooseCategory(c.words, "Dessert");
    EXPECT_EQ(choice.category, c.category) << c.words.size();
    EXPECT_EQ(choice.subcategories, c.subcategories) << choice.category;
  }
}

TEST(Mapping, PersonsNameAndLongLines) {
  EXPECT_EQ(personsOf("4"), "4");
  EXPECT_EQ(personsOf(" 4 Personen "), "4");
  EXPECT_EQ(personsOf("6 Portionen"), "6");
  EXPECT_EQ(personsOf("4-6 servings"), "4-6");
  EXPECT_EQ(personsOf("1 Blech"), "1 Blech");
  EXPECT_EQ(personsOf("eine Kanne"), "eine Kanne");
  EXPECT_EQ(personsOf(""), "");

  ForeignRecipe recipe;
  recipe.title = "  Ein sehr langer Rezeptname, der nicht in einen Datensatz passt  ";
  recipe.ingredients = {"200 g Paprika, rot, gelb und gr\xfcn gemischt, in feine Streifen geschnitten",
                        std::string(60, 'x')};
  recipe.paragraphs = {"Erster Absatz.", "", "Zweiter\tAbsatz."};
  const NewRecipe stored = toNewRecipe(recipe, "Vorspeise");
  EXPECT_EQ(stored.name, "Ein sehr langer Rezeptname, der nicht in einen Dat");
  EXPECT_EQ(stored.ingredients, (Lines{"200 g Paprika, rot, gelb und gr\xfcn gemischt, in",
                                       "feine Streifen geschnitten", std::string(50, 'x'), std::string(10, 'x')}));
  EXPECT_EQ(stored.preparation, "Erster Absatz.\r\n\r\nZweiter Absatz.");
  EXPECT_EQ(stored.author, "Import");
  EXPECT_EQ(stored.origin, "keine Angabe");
  EXPECT_EQ(stored.category, "Vorspeise");
  EXPECT_EQ(storedNameOf(ForeignRecipe{}), "Ohne Titel");
}

TEST(Import, SkipsNamesTheBookHoldsAndAppendsTheRest) {
  MemoryDir dir;
  RecipeStore store(dir.path(), dir.files());
  NewRecipe existing;
  existing.category = "Suppe";
  existing.subcategories = {"Suppen"};
  existing.name = "Kartoffelgratin";
  store.appendEntry(existing);

  Importer importer(store);
  const auto first = importer.importFile(sample("rezkonv.txt"), kDefaultFallbackCategory);
  ASSERT_TRUE(first);
  EXPECT_EQ(reportLines(*first), (Lines{"\xc3\xbc"
                                        "bersprungen: Kartoffelgratin (Name schon vorhanden)",
                                        "importiert: Zitronenlimonade"}));
  // The same recipes again, and a file that names one twice: all skipped but the first.
  const auto second =
      importer.importFile(sample("rezkonv.txt") + sample("rezepte.mmf") + sample("rezepte.mmf"), "Dessert");
  ASSERT_TRUE(second);
  EXPECT_EQ(second->imported, 3u);
  EXPECT_EQ(second->skipped, 5u);
  EXPECT_EQ(summaryLine(first->imported + second->imported, first->skipped + second->skipped),
            "4 Rezepte importiert, 6 \xc3\xbc"
            "bersprungen.");

  const auto all = entries(store);
  ASSERT_EQ(all.size(), 5u);
  const StoredRecipe& lemonade = all[1];
  EXPECT_EQ(lemonade.head.name, "Zitronenlimonade");
  EXPECT_EQ(lemonade.head.category, "Getr\xe4nke");
  EXPECT_EQ(lemonade.head.subcategories, " Sonstiges");
  EXPECT_EQ(lemonade.persons, "1 Krug");
  EXPECT_EQ(lemonade.author, "Import");
  EXPECT_EQ(lemonade.origin, "keine Angabe");
  EXPECT_FALSE(lemonade.hasPicture);
  EXPECT_EQ(all[2].head.name, "Linsensuppe mit W\xfcrstchen");
  EXPECT_EQ(all[2].persons, "4");
  EXPECT_EQ(all[2].author, "Anna Beispiel");
  EXPECT_EQ(all[2].preparation(),
            "Die Linsen mit der Zwiebel in der Br\xfche etwa 40 Minuten weich kochen.\r\nMit Essig abschmecken und "
            "die W\xfcrstchen darin hei\xdf werden lassen.");

  // Cancelled part-way: nothing of the file.
  int calls = 0;
  MemoryDir other;
  RecipeStore empty(other.path(), other.files());
  EXPECT_FALSE(Importer(empty).importFile(sample("rezepte.mmf"), "Dessert", [&](std::size_t done, std::size_t total) {
    EXPECT_EQ(total, 3u);
    ++calls;
    return done < 2;
  }));
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(entries(empty).empty());
}

TEST(Import, FilesThatCannotBeReadImportNothing) {
  EXPECT_EQ(importError(""), "Die Datei ist leer");
  EXPECT_EQ(importError(std::string("MMMMM----- Meal-Master\0\x01\x02", 25)), "Die Datei ist keine Textdatei");
  EXPECT_EQ(importError("Liebe Anna,\nhier das Rezept.\n"),
            "Keine Rezepte im Format Meal-Master, RezKonv oder CookML gefunden");
  EXPECT_EQ(importError("<?xml version=\"1.0\"?><cookml version=\"1.0\"></cookml>"),
            "Die CookML-Datei enth\xc3\xa4lt keine Rezepte");

  // 50 MB of garbage: random bytes, and text without any recipe in it.
  std::mt19937 random(7);
  std::string garbage(50u << 20, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  EXPECT_EQ(importError(garbage), "Die Datei ist keine Textdatei");
  for (char& c : garbage) c = static_cast<char>(' ' + static_cast<unsigned char>(c) % 95);
  for (std::size_t i = 70; i < garbage.size(); i += 71) garbage[i] = '\n';
  EXPECT_EQ(importError(garbage), "Keine Rezepte im Format Meal-Master, RezKonv oder CookML gefunden");

  // A recipe without its end line after two whole ones: the book stays as it was.
  MemoryDir dir;
  RecipeStore store(dir.path(), dir.files());
  const std::string broken = sample("rezepte.mmf") + "MMMMM----- Meal-Master\r\nTitle: Rest\r\n\r\n  1 l Wasser\r\n";
  Importer importer(store);
  try {
    importer.importFile(broken, kDefaultFallbackCategory);
    FAIL() << "kein Fehler";
  } catch (const ImportError& error) {
    EXPECT_STREQ(error.what(), "Zeile 65: das Rezept \"Rest\" hat keine Endzeile");
  }
  EXPECT_TRUE(entries(store).empty());
}

TEST(Import, FailingDiskLeavesTheBookAsItWas) {
  MemoryDir dir;
  RecipeStore store(dir.path(), dir.files());
  Importer importer(store);
  ASSERT_TRUE(importer.importFile(sample("rezkonv.txt"), kDefaultFallbackCategory));
  const std::string before = dir.read("Zestovar.dat");
  dir->failWritesAfter(1000);
  EXPECT_THROW(importer.importFile(sample("rezepte.mmf"), kDefaultFallbackCategory), zestovar::store::StoreError);
  EXPECT_EQ(dir.read("Zestovar.dat"), before);
}

TEST(MealMasterExport, ReadingTheExportBackGivesTheSameRecipes) {
  // The shipped recipes and one with every awkward line.
  MemoryDir dir;
  RecipeStore book(dir.path(), dir.files());
  auto disk = zestovar::store::diskFiles();
  std::vector<NewRecipe> recipes;
  for (const auto& item : std::filesystem::directory_iterator(std::string(ZESTOVAR_DATA_DIR) + "/recipes")) {
    if (item.path().extension() != ".txt") continue;
    NewRecipe recipe = zestovar::store::readTextRecipeFile(*disk, item.path()).recipe;
    recipe.picture.clear();
    recipes.push_back(std::move(recipe));
  }
  ASSERT_GT(recipes.size(), 20u);
  NewRecipe odd;
  odd.category = "Backwaren";
  odd.subcategories = {"Kuchen", "Torten"};
  odd.name =
      "Torte: \"Sch\xf6"
      "ne\" 100% & mehr";
  odd.ingredients = {"F\xfcr den Teig:",
                     "1 1/2 EL Zucker",
                     "2  Eier",
                     "12345678 g Mehl",
                     "1 Prise Salz und etwas frisch geriebene Muskatnuss aus der M\xfchle",
                     "Deko-",
                     "\xbd TL Zimt"};
  odd.preparation = "Erster Absatz mit  zwei Blanks.\r\n\r\nNach einer Leerzeile.\r\r\nUmbruch des Editors.";
  odd.author = "Ben";
  odd.persons = "1 Blech";
  recipes.push_back(odd);
  book.appendEntries(recipes);

  const std::vector<StoredRecipe> original = entries(book);
  const std::string exported = mealMaster(original);
  EXPECT_EQ(exported.find('\n'), exported.find("\r\n") + 1);

  MemoryDir copyDir;
  RecipeStore copy(copyDir.path(), copyDir.files());
  const auto result = Importer(copy).importFile(exported, kDefaultFallbackCategory);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->imported, original.size());
  const std::vector<StoredRecipe> back = entries(copy);
  ASSERT_EQ(back.size(), original.size());
  for (std::size_t i = 0; i < back.size(); ++i) {
    SCOPED_TRACE(original[i].head.name);
    EXPECT_EQ(back[i].head.name, original[i].head.name);
    EXPECT_EQ(back[i].head.category, original[i].head.category);
    EXPECT_EQ(back[i].head.subcategories, original[i].head.subcategories);
    EXPECT_EQ(back[i].persons, original[i].persons);
    EXPECT_EQ(back[i].author, original[i].author);
    EXPECT_EQ(back[i].ingredients, original[i].ingredients);
    EXPECT_EQ(preparationLines(back[i]), preparationLines(original[i]));
  }
  // Exporting the copy gives the same file.
  EXPECT_EQ(mealMaster(back), exported);
}
