// The recipe page, the browsing filter and the search, on recipe files built record by record.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "StoreFixtures.h"
#include "store/RecipeStore.h"
#include "views/RecipePage.h"
#include "views/RecipeSearch.h"

using namespace zestovar;
using test::EntryRecords;

namespace {

const std::string kDefaultPicture = "default-picture-bytes";

class PageTest : public ::testing::Test {
 protected:
  // Renders name; returns the bytes of "Rezept.htm". Names reported by update-file errors go to errors.
  std::string show(const std::string& name) {
    store::RecipeStore store(dir.path());
    views::showRecipePage(store, name, kDefaultPicture, [&](const std::string& n) { errors.push_back(n); });
    return dir.read("Rezept.htm");
  }
  test::TempDir dir;
  std::vector<std::string> errors;
};

TEST_F(PageTest, MainFileEntryWithPictureIsWrittenLineForLine) {
  EntryRecords e = test::named("Gulasch", "Hauptgericht");
  e.ingredients = {"500 g Rind", "2 Zwiebeln"};
  e.preparation = "Anbraten & <w\xfcrzen>\r\n   \r\nmit \"Paprika\" schmoren\r\n";
  e.persons = "4";
  e.pictureKind = EntryRecords::Picture::Bytes;
  e.picture = test::pictureBytes(98);
  dir.write("Zestovar.dat", test::buildEntry(e));

  EXPECT_EQ(show("Gulasch"),
            "<body><font size=\"3\"><b>Gulasch</b></font><font size=\"2\"> (Zutaten f\xfcr 4 Personen)</font><br>\r\n"
            "<font size=\"2\">Autor: Quenna</font><br><br>\r\n"
            "<img src= \"Image.jpg\" border=\"0\"><br><br>\r\n"
            "<br>\r\n"
            "<font size=\"2\">\r\n"
            "500 g Rind<br>\r\n"
            "2 Zwiebeln<br>\r\n"
            "Anbraten &amp; &lt;w\xfcrzen&gt;\r\n<BR>\r\nmit &quot;Paprika&quot; schmoren<BR>\r\n\r\n"
            "</font></body>\r\n");
  EXPECT_EQ(dir.read("Image.jpg"), e.picture);
}

TEST_F(PageTest, UpdateFileEntryWinsInItsOwnForm) {
  dir.write("Zestovar.dat", test::buildEntry(test::named("Gulasch")));
  EntryRecords update = test::named("Gulasch");
  update.originPair = false;  // all N1 - 1 records are ingredients
  update.ingredients = {"$!$kein Marker$!$", "Salz"};
  update.preparation = "";
  update.persons = "1";
  update.author = "Ilka";
  dir.write("zsv.dat", test::buildEntry(update));

  EXPECT_EQ(show("Gulasch"),
            "<body><font size=\"3\"><b>Gulasch</b></font><font size=\"2\"> (Zutaten f\xfcr 1 Person)</font><br>\r\n"
            "<font size=\"1\">Autor: Ilka</font><br><br>\r\n"
            "<font size=\"2\">\r\n"
            "$!$kein Marker$!$<br>\r\n"
            "Salz<br>\r\n"
            "<br>\r\n"
            "\r\n"
            "</font></body>\r\n");
  EXPECT_EQ(dir.read("Image.jpg"), kDefaultPicture);
}

TEST(PageOnAFullDisk, FailureShowsTheSystemsText) {
  for (const char* file : {"Image.jpg", "Rezept.htm"}) {
    SCOPED_TRACE(file);
    test::MemoryDir dir;
    dir.write("Zestovar.dat", test::buildEntry(test::named("Brot", "Backwaren")));
    store::RecipeStore store(dir.path(), dir.files());
    dir->failWritesAfter(3, file);
    try {
      views::showRecipePage(store, "Brot", kDefaultPicture, [](const std::string&) {});
      ADD_FAILURE() << "no error";
    } catch (const store::StoreError& e) {
      EXPECT_STREQ(e.what(), "Disk voll");
    }
  }
}

TEST_F(PageTest, EmptyPersonsUnknownNamesAndThePicturesExactName) {
  EntryRecords e = test::named("Brot", "Backwaren");
  e.persons = "";
  dir.write("Zestovar.dat", test::buildEntry(e));
  dir.write("IMAGE.JPG", "someone else's file");
  EXPECT_TRUE(show("Brot").starts_with("<body><font size=\"3\"><b>Brot</b></font><br>\r\n<font size=\"2\">Autor:"));
  EXPECT_EQ(dir.read("Image.jpg"), kDefaultPicture);
  EXPECT_EQ(dir.read("IMAGE.JPG"), "someone else's file");
  EXPECT_EQ(show("A"), "");  // a letter item: an empty page
}

TEST_F(PageTest, MainFileErrorKeepsTheOldPage) {
  dir.write("Rezept.htm", "old page");
  EntryRecords bad = test::named("Kaputt");
  bad.n2Text = "zwei";
  dir.write("Zestovar.dat", test::buildEntry(bad));
  EXPECT_THROW(show("Kaputt"), store::StoreError);
  EXPECT_EQ(dir.read("Rezept.htm"), "old page");
}

TEST_F(PageTest, UpdateFileErrorIsReportedPerEntryAndThePageIsStillShown) {
  EntryRecords good = test::named("Linsensuppe");
  EntryRecords bad = test::named("Kaputt");
  bad.n2Text = "zwei";
  dir.write("zsv.dat", test::buildEntry(good) + test::buildEntry(bad));
  std::string page = show("Linsensuppe");
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), "Kaputt");
  EXPECT_NE(page.find("<b>Linsensuppe</b>"), std::string::npos) << page;

  // The torn tail of an interrupted download is no entry: it is passed over without a message.
  dir.write("zsv.dat", test::buildEntry(good) + test::buildEntry(test::named("Kaputt")).substr(0, 8 * 51));
  errors.clear();
  page = show("Linsensuppe");
  EXPECT_TRUE(errors.empty());
  EXPECT_NE(page.find("<b>Linsensuppe</b>"), std::string::npos) << page;

  // A negative count ends that entry with an error instead of walking backwards for ever.
  EntryRecords negative = test::named("Negativ");
  negative.n1Text = "-3";
  dir.write("zsv.dat", test::buildEntry(negative));
  errors.clear();
  show("Linsensuppe");
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), "Negativ");
}

TEST(PageEscapeAndSearchTerms, LinesEntitiesSplittingAndContains) {
  EXPECT_EQ(views::pageEscape("Wort\r\n   \r\nnoch"), "Wort\r\n<BR>\r\nnoch<BR>\r\n");
  EXPECT_EQ(views::pageEscape("a\rb\nc\r\n"), "a\r\nb<BR>\r\nc<BR>\r\n");
  EXPECT_EQ(views::pageEscape("&amp;"), "&amp;amp;\r\n");
  EXPECT_EQ(views::pageEscape(""), "");
  EXPECT_TRUE(views::isBlankLine("", ' '));
  EXPECT_FALSE(views::isBlankLine(" \t", ' '));
  using V = std::vector<std::string>;
  EXPECT_EQ(views::splitTerms(" "), V{" "});
  EXPECT_EQ(views::splitTerms("  "), V{});
  EXPECT_EQ(views::splitTerms("  Apfel  Zimt "), (V{"Apfel", "Zimt"}));
  EXPECT_TRUE(views::containsTest("zimt", "Mit ZIMT"));
  EXPECT_TRUE(views::containsTest("", ""));
  EXPECT_FALSE(views::containsTest("\xe4", "\xc4pfel"));  // only A to Z are folded
  EXPECT_FALSE(views::containsTest("Apfel", "Apfe"));
}

// Windows-1252 bytes: \xe4 ä, \xc4 Ä, \xd6 Ö, \xfc ü, \334 Ü, \337 and \xdf ß.
TEST(UmlautContainsTest, UmlautsAndDigraphsFindEachOther) {
  using Pair = std::pair<const char*, const char*>;  // needle, haystack
  const Pair finds[] = {
      {"kaese", "K\xe4sekuchen"},
      {"K\xe4se", "KAESEKUCHEN"},
      {"\xc4pfel", "Aepfel"},
      {"AEPFEL", "\xe4pfel"},
      {"Oel", "\xd6l"},
      {"gruen", "Gr\xfcnkohl"},
      {"\334bel", "uebel"},
      {"Strasse", "Stra\337e"},
      {"Stra\337e", "strasse"},
      {"\xdf", "Masse"},
      {"", ""},
  };
  // "ae" asks for both letters, half of an umlaut is no hit, other accented letters compare as stored.
  const Pair misses[] = {
      {"Kaese", "Kase"}, {"ka", "K\xe4se"}, {"ese", "K\xe4se"}, {"se", "Stra\337e"}, {"s", "\xdf"}, {"\xe9", "e"},
  };
  for (const auto& [needle, haystack] : finds)
    EXPECT_TRUE(store::containsTest(needle, haystack, store::Spelling::Umlauts)) << needle << " in " << haystack;
  for (const auto& [needle, haystack] : misses)
    EXPECT_FALSE(store::containsTest(needle, haystack, store::Spelling::Umlauts)) << needle << " in " << haystack;
  EXPECT_FALSE(store::containsTest("kaese", "K\xe4se"));  // as stored unless asked
  EXPECT_FALSE(store::containsTest("\xe4", "ae"));
}

class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EntryRecords soup = test::named("Tomatensuppe");
    soup.origin = "italienisch";
    soup.pieces = {"Tomaten h", "\xe4uten"};  // "häuten" spans two records
    EntryRecords cake = test::named("Apfelkuchen", "Backwaren");
    cake.subcategories = " Kuchen";
    cake.originPair = false;
    cake.ingredients = {"6 \xc4pfel", "Zimt"};
    EntryRecords drink = test::named("Kinderpunsch", "Getr\xe4nke");
    drink.subcategories = " unalk_Cocktails";
    dir.write("Zestovar.dat", test::buildEntry(soup) + test::buildEntry(cake) + test::buildEntry(drink));
    dir.write("zsv.dat", test::buildEntry(test::named("Tomatensuppe")));
  }
  std::vector<std::string> search(const std::string& text, views::SearchKind kind, const std::string& category = "Alle",
                                  store::Spelling spelling = store::Spelling::AsStored) {
    store::RecipeStore store(dir.path());
    std::vector<std::string> names;
    hits = views::searchRecipes(store, views::splitTerms(text), category, kind, names, spelling);
    return names;
  }
  test::TempDir dir;
  int hits = 0;
};

TEST_F(SearchTest, AndOrCategoryFieldsAndUmlauts) {
  using V = std::vector<std::string>;
  using views::SearchKind;
  EXPECT_EQ(search("zimt kuchen", SearchKind::And), V{"Apfelkuchen"});
  EXPECT_EQ(search("zimt italienisch", SearchKind::Or), (V{"Tomatensuppe", "Apfelkuchen"}));
  EXPECT_EQ(search("italienisch", SearchKind::And), V{"Tomatensuppe"});
  EXPECT_EQ(search("Herkunft", SearchKind::And), (V{"Tomatensuppe", "Kinderpunsch", "Tomatensuppe"}));
  EXPECT_EQ(hits, 3);  // one name in both files counts twice
  EXPECT_EQ(search("  ", SearchKind::And, "Suppe"), (V{"Tomatensuppe", "Tomatensuppe"}));
  EXPECT_EQ(search("  ", SearchKind::Or), V{});
  EXPECT_EQ(search("h\xe4uten", SearchKind::Or), V{});  // split across two records
  EXPECT_EQ(search("apfel", SearchKind::And, "Suppe"), V{});
  EXPECT_EQ(views::searchMessage(1), "1 Rezepte gefunden.");
  EXPECT_EQ(views::searchMessage(0), "Keine Rezepte gefunden.");
  // Umlauts as their two letters only when asked.
  const auto umlauts = store::Spelling::Umlauts;
  EXPECT_EQ(search("aepfel", SearchKind::And), V{});
  EXPECT_EQ(search("aepfel zimt", SearchKind::And, "Alle", umlauts), V{"Apfelkuchen"});
  EXPECT_EQ(search("GETRAENKE", SearchKind::Or, "Alle", umlauts), V{"Kinderpunsch"});
  EXPECT_EQ(search("haeuten \xe4pfel", SearchKind::Or, "Alle", umlauts), V{"Apfelkuchen"});
  EXPECT_EQ(search("AEUTEN", SearchKind::And, "Suppe", umlauts), V{"Tomatensuppe"});
}

TEST_F(SearchTest, SubcategoryFilterUsesTheContainsTestOnce) {
  store::RecipeStore store(dir.path());
  std::vector<views::EntrySummary> summary;
  views::buildEntrySummary(store, summary);
  ASSERT_EQ(summary.size(), 4u);
  EXPECT_EQ(summary[0].origin, "italienisch");
  EXPECT_EQ(summary[1].origin, "keine Angabe");
  using V = std::vector<std::string>;
  EXPECT_EQ(views::filterBySubcategories(summary, "Getr\xe4nke", {"Cocktails", "unalk_Cocktails"}), V{"Kinderpunsch"});
  EXPECT_EQ(views::filterBySubcategories(summary, "Suppe", {"Suppen"}), (V{"Tomatensuppe", "Tomatensuppe"}));
  EXPECT_EQ(views::filterBySubcategories(summary, "Suppe", {"Kuchen"}), V{});
  EXPECT_EQ(views::recipeCountText(1), "1 Rezept");
  EXPECT_EQ(views::recipeCountText(0), "0 Rezepte");
}

// The search folds every field once and looks for each term in all of an entry's fields at once; it
// must find exactly what the contains test finds field by field, in either spelling. Short texts of
// few letters make hits, hits in other letter case, umlauts beside their two letters and hits across
// the border of two fields frequent.
TEST(SearchAgainstContainsTest, SameHitsOnRandomRecipes) {
  std::mt19937 random(7);
  const std::string letters[] = {"a", "b", "A", "B", "\xe4", "\xc4", " ", "z", "Z", "e", "E", "s", "\xdf"};
  const auto text = [&](std::size_t most) {
    std::string t;
    for (std::size_t n = random() % (most + 1); n > 0; --n) t += letters[random() % std::size(letters)];
    return t;
  };
  test::MemoryDir dir;
  store::RecipeStore store(dir.path(), dir.files());
  std::vector<std::vector<std::string>> fieldsOf;
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) {
    store::NewRecipe r;
    r.category = i % 3 ? "Suppe" : "Dessert";
    r.subcategories = {text(12)};
    r.name = "R" + std::to_string(i) + text(20);
    r.origin = text(50);
    for (std::size_t n = random() % 4; n > 0; --n) r.ingredients.push_back(text(50));
    r.preparation = text(140);
    r.author = text(8);
    r.persons = text(2);
    store.appendEntry(r);
    std::vector<std::string> fields = {r.category, store::subcategoryRecord(r.subcategories), r.name,
                                       std::string(store::kOriginMarker), r.origin};
    fields.insert(fields.end(), r.ingredients.begin(), r.ingredients.end());
    for (std::size_t at = 0; at < r.preparation.size(); at += 50) fields.push_back(r.preparation.substr(at, 50));
    fields.push_back(r.author);
    fields.push_back(r.persons);
    fieldsOf.push_back(fields);
    names.push_back(r.name);
  }
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> terms;
    for (std::size_t n = random() % 3 + 1; n > 0; --n) terms.push_back(text(4).empty() ? "a" : text(4));
    const auto kind = round % 2 ? views::SearchKind::Or : views::SearchKind::And;
    const std::string category = round % 5 ? "Alle" : "Suppe";
    const auto spelling = round % 3 ? store::Spelling::Umlauts : store::Spelling::AsStored;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (category != "Alle" && i % 3 == 0) continue;
      std::size_t found = 0;
      for (const auto& term : terms)
        found += std::any_of(fieldsOf[i].begin(), fieldsOf[i].end(),
                             [&](const std::string& field) { return views::containsTest(term, field, spelling); });
      if (kind == views::SearchKind::And ? found == terms.size() : found > 0) expected.push_back(names[i]);
    }
    std::vector<std::string> actual;
    EXPECT_EQ(views::searchRecipes(store, terms, category, kind, actual, spelling), static_cast<int>(expected.size()));
    EXPECT_EQ(actual, expected) << "round " << round;
  }
}

}  // namespace
