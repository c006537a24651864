// Importing exchange files into a book and writing the book as Meal-Master: the category table, the
// persons, the name check, files that cannot be read, a failing disk, and the way back from an export.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "Samples.h"
#include "StoreFixtures.h"
#include "exchange/ColumnText.h"
#include "exchange/Import.h"
#include "exchange/Mapping.h"
#include "exchange/MealMasterExport.h"
#include "store/Categories.h"
#include "store/Entry.h"
#include "store/RecipeStore.h"
#include "store/RecordReader.h"
#include "store/TextRecipe.h"

using namespace zestovar::exchange;
using zestovar::store::NewRecipe;
using zestovar::store::RecipeStore;
using zestovar::store::StoredRecipe;
using namespace zestovar::test;
using Lines = std::vector<std::string>;

namespace {

// A book in a program directory held in memory.
struct MemoryBook {
  MemoryDir dir;
  RecipeStore store{dir.path(), dir.files()};
};

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
  return errorText<ImportError>([&] { readCollection(bytes); });
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
      {{"Suppen & Eint\xf6pfe"}, "Suppe", {"Suppen"}},
      {{"Cakes", "Cookies"}, "Backwaren", {"Kuchen", "Pl\xe4tzchen"}},
      {{"Getr\xe4nke"}, "Getr\xe4nke", {"Sonstiges"}},
      {{"Drinks", "Cocktails"}, "Getr\xe4nke", {"Cocktails"}},
      // A word that is our category name chooses it even after other words.
      {{"Kartoffeln", "Hauptgericht", "Vegetarisch"}, "Hauptgericht", {"Kartoffeln", "Vegetarisch"}},
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
  const std::pair<const char*, const char*> persons[] = {
      {" 4 Personen ", "4"}, {"6 Portionen", "6"}, {"4-6 servings", "4-6"}, {"1 Blech", "1 Blech"}, {"", ""}};
  for (const auto& [text, expected] : persons) EXPECT_EQ(personsOf(text), expected) << text;

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
  EXPECT_EQ(storedNameOf(ForeignRecipe{}), "Ohne Titel");
}

TEST(Import, LineBreaksInsideAFieldNeverReachARecordOfOneLine) {
  ForeignRecipe recipe;
  recipe.title = "Apfel\r\nkuchen\r";
  recipe.ingredients = {"1 kg\r\xc4pfel", std::string("Zimt\0Zucker", 11)};
  recipe.author = "Anna\nBeispiel";
  recipe.servings = "1 Blech\r\n(rund)";
  recipe.paragraphs = {"Teig\rkneten.", "Backen \n\n\n fertig."};
  const NewRecipe stored = toNewRecipe(recipe, "Dessert");
  EXPECT_EQ(stored.name, "Apfel kuchen");
  EXPECT_EQ(stored.ingredients, (Lines{"1 kg \xc4pfel", "Zimt Zucker"}));
  EXPECT_EQ(stored.author, "Anna Beispiel");
  EXPECT_EQ(stored.persons, "1 Blech (rund)");
  // The preparation's lines are separated by CR LF, as the records hold them.
  EXPECT_EQ(stored.preparation, "Teig kneten.\r\nBacken  fertig.");

  // The same through the readers into the book.
  const std::string cookml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cookml version=\"1.1.2\"><recipe lang=\"de\">\n"
      "<head><title>Apfel&#13;&#10;kuchen</title><cat>Kuchen</cat><author>Anna&#10;Beispiel</author>"
      "<servingqty>1</servingqty><servingtype>Blech&#13;</servingtype></head>\n"
      "<part><ingredient qty=\"1\" unit=\"kg\" item=\"&#13;&#10;\xc3\x84pfel&#10;gesch\xc3\xa4lt\"/></part>\n"
      "<preparation><text>Teig&#13;kneten.&#10;Backen.</text></preparation></recipe></cookml>\n";
  // Lone CRs end the lines of a Meal-Master file, as CR LF and LF do.
  const std::string mealMasterFile =
      "MMMMM----- Meal-Master\rTitle: Birnen\r\r      1 kg Birnen\r           -gesch\xe4lt\rErfasser: Ben\rMMMMM\r";
  MemoryBook book;
  Importer importer(book.store);
  ASSERT_TRUE(importer.importFile(cookml, kDefaultFallbackCategory));
  ASSERT_TRUE(importer.importFile(mealMasterFile, kDefaultFallbackCategory));
  const auto all = entries(book.store);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].head.name, "Apfel kuchen");
  EXPECT_EQ(all[0].author, "Anna Beispiel");
  EXPECT_EQ(all[0].persons, "1 Blech");
  EXPECT_EQ(all[0].ingredients, (Lines{"1 kg \xc4pfel gesch\xe4lt"}));
  EXPECT_EQ(all[1].head.name, "Birnen");
  EXPECT_EQ(all[1].ingredients, (Lines{"1 kg Birnen gesch\xe4lt"}));
  for (const StoredRecipe& recipe : all) {
    std::vector<std::string> oneLine = {recipe.head.category, recipe.head.subcategories,
                                        recipe.head.name,     recipe.origin,
                                        recipe.author,        recipe.persons};
    oneLine.insert(oneLine.end(), recipe.ingredients.begin(), recipe.ingredients.end());
    for (const std::string& text : oneLine)
      EXPECT_EQ(text.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << text;
  }
}

TEST(Mapping, EveryCategoryAndSubcategoryComesBackFromTheExport) {
  // The export writes "Categories: CATEGORY, SUB, ..." and the import chooses from those words.
  for (const std::string_view category : zestovar::store::kCategoryNames) {
    const Lines subcategories = zestovar::store::subcategoriesSorted(category);
    std::vector<Lines> choices = {subcategories};
    for (const std::string& sub : subcategories) choices.push_back({sub});
    for (const Lines& ticked : choices) {
      Lines words = {std::string(category)};
      words.insert(words.end(), ticked.begin(), ticked.end());
      const CategoryChoice choice = chooseCategory(words, kDefaultFallbackCategory);
      EXPECT_EQ(choice.category, category);
      EXPECT_EQ(choice.subcategories, ticked) << category << ", " << ticked.front();
    }
  }
}

TEST(Import, SkipsNamesTheBookHoldsAndAppendsTheRest) {
  MemoryBook book;
  NewRecipe existing;
  existing.category = "Suppe";
  existing.subcategories = {"Suppen"};
  existing.name = "Kartoffelgratin";
  book.store.appendEntry(existing);

  Importer importer(book.store);
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

  const auto all = entries(book.store);
  ASSERT_EQ(all.size(), 5u);
  const StoredRecipe& lemonade = all[1];
  EXPECT_EQ(lemonade.head.name, "Zitronenlimonade");
  EXPECT_EQ(lemonade.head.category, "Getr\xe4nke");
  EXPECT_EQ(lemonade.head.subcategories, " Sonstiges");
  EXPECT_EQ(lemonade.persons, "1 Krug");
  EXPECT_FALSE(lemonade.hasPicture);
  EXPECT_EQ(all[2].head.name, "Linsensuppe mit W\xfcrstchen");
  EXPECT_EQ(all[2].preparation(),
            "Die Linsen mit der Zwiebel in der Br\xfche etwa 40 Minuten weich kochen.\r\nMit Essig abschmecken und "
            "die W\xfcrstchen darin hei\xdf werden lassen.");
}

TEST(Import, CancellingLeavesTheBookByteForByte) {
  // A program directory on the disk with recipes in its book; a file of five recipes cancelled after
  // its first, its third and its last recipe.
  zestovar::test::TempDir dir;
  RecipeStore store(dir.path());
  ASSERT_TRUE(Importer(store).importFile(sample("suppen-latin1.cml"), kDefaultFallbackCategory));
  const std::string before = dir.read("Zestovar.dat");
  ASSERT_FALSE(before.empty());
  const std::string file = sample("rezepte.mmf") + sample("rezkonv.txt");
  Importer importer(store);
  for (const std::size_t cancelAt : {1u, 3u, 5u}) {
    SCOPED_TRACE(cancelAt);
    std::size_t calls = 0;
    const auto result = importer.importFile(file, kDefaultFallbackCategory, [&](std::size_t done, std::size_t total) {
      ++calls;
      EXPECT_EQ(total, 5u);
      return done < cancelAt;
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(calls, cancelAt);
    EXPECT_TRUE(zestovar::test::sameRecords(dir.read("Zestovar.dat"), before));
  }
  // The names a cancelled import saw are free for the next one.
  const auto result = importer.importFile(file, kDefaultFallbackCategory);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->imported, 5u);
  EXPECT_EQ(dir.read("Zestovar.dat").substr(0, before.size()), before);
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
  MemoryBook book;
  const std::string broken = sample("rezepte.mmf") + "MMMMM----- Meal-Master\r\nTitle: Rest\r\n\r\n  1 l Wasser\r\n";
  EXPECT_EQ(errorText<ImportError>([&] { Importer(book.store).importFile(broken, kDefaultFallbackCategory); }),
            "Zeile 65: das Rezept \"Rest\" hat keine Endzeile");
  EXPECT_TRUE(entries(book.store).empty());
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

// A recipe made of lines that look like lines of the format, each where it would be misread.
NewRecipe formatLines() {
  NewRecipe r;
  r.category = "Dessert";
  r.subcategories = {"Eis"};
  r.name = "MMMMM";
  r.ingredients = {
      "Categories: Dessert",
      "MMMMM",
      "-1 Prise Salz",
      "- Deko",
      "MMMMM-----Teig-----",
      "=====",
      "===== QUELLE =====",
      "Title: Falle",
      "Erfasser: Eve",
      ">MMMMM",
      ">",
      "1 EL >Zucker",
      "2 -Eier",
      "----- Recipe via Meal-Master",
      "Meal-Master:",
      "Teig :",
      "::",
      "1",
      // Blank runs that put an ingredient into the second column, on the first and on a continuation line.
      std::string(27, 'a') + "        1    Mehl",
      "a " + std::string(26, 'b') + "        1    Mehl",
  };
  r.preparation =
      "\r\nErfasser: Mallory\r\nMMMMM-----Zubereitung-----\r\nMMMMM\r\n-----\r\n1.\r\n250 g\r\n>Erfasser: Eve\r\n>\r\n"
      "Categories: Dessert\r\n:Erfasser: x\r\n\r\n\r\nTitle: Falle\r\n========== REZKONV-Rezept\r\n\r\n";
  r.author = "";
  r.persons = "4 Personen";
  return r;
}

TEST(MealMasterExport, ReadingTheExportBackGivesTheSameRecipes) {
  // The shipped recipes, one with every awkward line, and one of lines that look like the format's.
  MemoryBook book;
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
  recipes.push_back(formatLines());
  NewRecipe untitled = formatLines();
  untitled.name = "";
  untitled.author = "Mallory";
  untitled.persons = "";
  untitled.ingredients = {};
  untitled.preparation = "\r\n";
  recipes.push_back(untitled);
  book.store.appendEntries(recipes);

  const std::vector<StoredRecipe> original = entries(book.store);
  const std::string exported = mealMaster(original);
  EXPECT_EQ(exported.find('\n'), exported.find("\r\n") + 1);

  MemoryBook copy;
  const auto result = Importer(copy.store).importFile(exported, kDefaultFallbackCategory);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->imported, original.size());
  const std::vector<StoredRecipe> back = entries(copy.store);
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

TEST(MealMasterExport, LinesThatLookLikeTheFormatAreTextToEveryReader) {
  MemoryBook book;
  book.store.appendEntry(formatLines());
  const std::string exported = mealMaster(entries(book.store));
  const auto has = [&](std::string_view line) { return exported.find("\r\n" + std::string(line) + "\r\n"); };
  // The escape as other programs see it: a ">" before the text column or at the start of the line.
  for (const char* line : {"           >MMMMM", "           >Categories: Dessert", "           >-1 Prise Salz",
                           "      1 EL >Zucker", "      2    -Eier", ">Erfasser: Mallory", ">>Erfasser: Eve", ">1."})
    EXPECT_NE(has(line), std::string::npos) << line;

  // Apart from the start line, the header and the end line, no line begins like a line of the format,
  // so no reader ends the recipe early or takes a field from it.
  std::istringstream in(exported);
  Lines formatLike;
  for (std::string line; std::getline(in, line);) {
    line.pop_back();  // CR
    std::string_view text = trimmed(line);
    const bool dashes = text.size() >= 5 && text.substr(0, 5).find_first_not_of("Mm-=") == std::string_view::npos;
    if (text.starts_with(':')) text.remove_prefix(1);
    const std::string_view name = trimmed(text.substr(0, text.find(':')));
    bool field = text.find(':') != std::string_view::npos;
    field = field && (name == "Title" || name == "Titel" || name == "Categories" || name == "Kategorien" ||
                      name == "Servings" || name == "Yield" || name == "Menge" || name == "Erfasser");
    if (dashes || field) formatLike.push_back(line);
  }
  EXPECT_EQ(formatLike, (Lines{std::string(kOwnStartLine), "      Title: MMMMM", " Categories: Dessert, Eis",
                               "      Yield: 4 Personen", "MMMMM"}));
}

TEST(MealMasterExport, TheExportIsReadAsWindows1252WhateverItsBytesPassFor) {
  // Text that is valid UTF-8 as well, and quotes that are the letters of code page 850.
  MemoryBook book;
  NewRecipe recipe = formatLines();
  recipe.name = "Gr\xc3\xbc\xc3\x9f Gott";
  book.store.appendEntry(recipe);
  recipe.name = "\x84Omas\x94 Apfelkuchen";
  recipe.ingredients = {"\x84viel\x94 Zimt"};
  book.store.appendEntry(recipe);
  const std::string exported = mealMaster(entries(book.store));
  const auto recipes = readCollection(exported);
  ASSERT_EQ(recipes.size(), 2u);
  EXPECT_EQ(recipes[0].title, "Gr\xc3\xbc\xc3\x9f Gott");
  EXPECT_EQ(recipes[1].title, "\x84Omas\x94 Apfelkuchen");
  EXPECT_EQ(recipes[1].ingredients, (Lines{"\x84viel\x94 Zimt"}));
  // Made UTF-8 since, with a byte order mark.
  EXPECT_EQ(
      readCollection("\xef\xbb\xbf" + std::string(kOwnStartLine) + "\r\nTitle: Gr\xc3\xbc\xc3\x9f\r\n\r\nMMMMM\r\n")[0]
          .title,
      "Gr\xfc\xdf");
}
