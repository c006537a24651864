// The recipe file layout: what append entry writes, what the readers make of files built by hand,
// and how every reader stops on a malformed file.
#include <gtest/gtest.h>

#include <functional>

#include "StoreFixtures.h"
#include "store/Check.h"
#include "store/Cp1252.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using store::NewRecipe;
using store::RecipeStore;
using store::StoreError;

const std::string kNotAnInteger = " ist kein g\xc3\xbcltiger Integerwert";  // UTF-8, as the error box shows it

NewRecipe bowle() {
  NewRecipe r;
  r.category = store::utf8ToCp1252("Getränke");
  r.subcategories = {"Bowle", "Cocktails", "Shakes", "Sonstiges", "unalk_Bowle", "unalk_Cocktails"};
  r.name = "Erdbeerbowle f\xfcr Kinder mit Minze, Limetten und viel Eis";
  r.origin = "International";
  r.ingredients = {"500 g Erdbeeren", "1 l Apfelsaft und ein Schuss Zitronensaft, frisch gepresst", ""};
  r.author = "Quenna";
  r.persons = "10";
  return r;
}

// The same recipe as the layout spells it, record by record.
EntryRecords bowleRecords() {
  EntryRecords e;
  e.category = "Getr\xe4nke";
  e.subcategories = " Bowle Cocktails Shakes Sonstiges unalk_Bowle unal";
  e.name = "Erdbeerbowle f\xfcr Kinder mit Minze, Limetten und vi";
  e.origin = "International";
  e.ingredients = {"500 g Erdbeeren", "1 l Apfelsaft und ein Schuss Zitronensaft, frisch ", ""};
  e.preparation.clear();
  e.author = "Quenna";
  e.persons = "10";
  return e;
}

TEST(AppendEntry, AppendedEntryHasExactRecordLayout) {
  struct Picture {
    std::size_t size;
    std::size_t pictureRecords;
    const char* tail;
  };
  for (const Picture& p :
       {Picture{0, 0, "0"}, Picture{48, 0, "48"}, Picture{49, 1, "0"}, Picture{50, 1, "1"}, Picture{98, 2, "0"}}) {
    for (std::size_t preparation : {0, 100, 101}) {
      SCOPED_TRACE("picture " + std::to_string(p.size) + ", preparation " + std::to_string(preparation));
      MemoryDir dir;
      dir.write("bild.jpg", pictureBytes(p.size));
      NewRecipe recipe = bowle();
      recipe.picture = dir / "bild.jpg";
      // A line break that falls across two preparation records.
      recipe.preparation = (std::string(49, 'r') + "\r\n" + std::string(60, 'z')).substr(0, preparation);
      EntryRecords expected = bowleRecords();
      expected.preparation = recipe.preparation;
      expected.pictureKind = EntryRecords::Picture::Bytes;
      expected.picture = pictureBytes(p.size);

      RecipeStore(dir.path(), dir.files()).appendEntry(recipe);  // the main recipe file does not exist yet
      const std::string file = dir.read("Zestovar.dat");
      EXPECT_TRUE(sameRecords(file, buildEntry(expected)));

      const auto records = splitRecords(file);
      const std::size_t pieces = (preparation + 49) / 50;
      ASSERT_EQ(records.size(), 4 + 2 + 3 + 1 + pieces + 2 + p.pictureRecords + 3);
      EXPECT_EQ(textOf(records[4 + 2 + 3]), std::to_string(pieces));
      EXPECT_EQ(records.end()[-3], textRecord(kEnd));
      EXPECT_EQ(textOf(records.end()[-2]), p.tail);
      if (p.size == 50) {
        EXPECT_EQ(records.back()[0], pictureBytes(50)[49]);
      }
    }
  }
}

TEST(AppendEntry, RemovedPictureGivesTailLengthMinusOneAndReadsAsNoPicture) {
  MemoryDir dir;
  NewRecipe recipe = bowle();
  recipe.picture = dir / "entfernt.jpg";
  RecipeStore store(dir.path(), dir.files());
  EXPECT_FALSE(store.nameExists("Gulasch"));  // empty files hold no recipe
  EXPECT_TRUE(store.browseList("Suppe").empty());
  EXPECT_EQ(store.authorByName("Gulasch"), "");
  EXPECT_TRUE(dir.has("Zestovar.dat") && dir.has("zsv.dat"));
  store.appendEntry(recipe);
  recipe.picture.clear();
  store.appendEntry(recipe);

  EntryRecords unreadable = bowleRecords();
  unreadable.pictureKind = EntryRecords::Picture::Unreadable;
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), buildEntry(unreadable) + buildEntry(bowleRecords())));
  for (const auto& entry : store.findByName(bowleRecords().name)) EXPECT_FALSE(entry.hasPicture);
}

TEST(ReadEntry, EntryWithoutOriginMarkerHasOneLineLessThanItsCountAndNoOrigin) {
  MemoryDir dir;
  EntryRecords e = named("Alte Suppe");
  e.originPair = false;
  e.ingredients = {"Wasser", "Salz"};
  e.pieces = {"Kurz", "", "aufkochen."};  // pieces need not be full
  dir.write("Zestovar.dat", buildEntry(e));
  RecipeStore store(dir.path(), dir.files());

  const auto found = store.findByName("Alte Suppe");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_FALSE(found[0].hasOriginMarker);
  EXPECT_EQ(found[0].origin, "keine Angabe");
  EXPECT_EQ(found[0].ingredients, (std::vector<std::string>{"Wasser", "Salz"}));
  EXPECT_EQ(found[0].preparation(), "Kurzaufkochen.");
  EXPECT_EQ(found[0].author, "Quenna");
}

TEST(ReadEntry, PictureAndAuthorAreReadBackFromHandBuiltFiles) {
  MemoryDir dir;
  EntryRecords withPicture = named("Borschtsch");
  withPicture.author = "Olga";
  withPicture.persons = "";
  withPicture.pictureKind = EntryRecords::Picture::Bytes;
  withPicture.picture = pictureBytes(150);
  EntryRecords plain = named("Borschtsch");
  plain.author = "Ivan";
  dir.write("Zestovar.dat", buildEntry(plain) + buildEntry(named("Soljanka")));
  dir.write("zsv.dat", buildEntry(withPicture));
  RecipeStore store(dir.path(), dir.files());

  const auto found = store.findByName("Borschtsch");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_FALSE(found[0].hasPicture);
  EXPECT_TRUE(found[1].hasPicture);
  EXPECT_EQ(found[1].picture, pictureBytes(150));
  EXPECT_EQ(found[1].persons, "");
  // The last entry of a name gives the author.
  EXPECT_EQ(store.authorByName("Borschtsch"), "Olga");
  EXPECT_EQ(store.authorByName("Soljanka"), "Quenna");
  EXPECT_EQ(store.authorByName("Gulasch"), "");
}

TEST(ReadEntry, LengthByteAboveFiftyReadsFiftyCharacters) {
  MemoryDir dir;
  std::string file = buildEntry(named("Soljanka"));
  file[10 * kRecord] = static_cast<char>(200);  // the author record
  dir.write("Zestovar.dat", file);
  EXPECT_EQ(RecipeStore(dir.path(), dir.files()).authorByName("Soljanka"), "Quenna" + std::string(44, '\0'));
}

TEST(ReadEntry, IncompleteLastRecordIsIgnoredAndOverwritten) {
  MemoryDir dir;
  const std::string first = buildEntry(named("Linsensuppe"));
  dir.write("Zestovar.dat", first + std::string("\x05Rest!\0\0\0\0\0\0\0", 13));
  RecipeStore store(dir.path(), dir.files());
  EXPECT_TRUE(store.nameExists("Linsensuppe"));
  EXPECT_EQ(store.browseList("Suppe"), std::vector<std::string>{"Linsensuppe"});

  store.appendEntry(bowle());
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), first + buildEntry(bowleRecords())));
}

// A malformed entry stops every operation that reaches it with its error, and nothing is changed.
struct Malformed {
  const char* what;
  EntryRecords entry;
  std::string message;
  bool fullReadOnly = false;  // the skipping walk passes over the faulty record without reading it
};

constexpr auto kPicture = EntryRecords::Picture::Bytes;

TEST(MalformedFile, EveryReaderStopsWithTheErrorAndChangesNothing) {
  const std::string eof = "Versuch hinter dem Dateiende zu lesen";
  const std::string k = "Kaputt";
  const std::string picture = pictureBytes(60);
  const std::vector<Malformed> cases = {
      {"ingredient count no integer", {.name = k, .n1Text = "zwei"}, "'zwei'" + kNotAnInteger},
      {"preparation count no integer", {.name = k, .n2Text = "3a"}, "'3a'" + kNotAnInteger},
      {"tail length no integer",
       {.name = k, .pictureKind = kPicture, .picture = picture, .tailText = "elf"},
       "'elf'" + kNotAnInteger,
       true},
      {"ingredient count 0", {.name = k, .n1Text = "0"}, eof},
      {"negative ingredient count", {.name = k, .n1Text = "-4"}, eof},
      {"negative preparation count", {.name = k, .n2Text = "-1"}, eof},
      {"huge ingredient count", {.name = k, .n1Text = "2147483647"}, eof},
      {"huge preparation count", {.name = k, .n2Text = "2000000000"}, eof},
      {"origin marker with ingredient count 2", {.name = k, .ingredients = {}, .n1Text = "2"}, eof},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryDir dir;
    const std::string main = buildEntry(named("Erbsensuppe")) + buildEntry(c.entry) + buildEntry(named("Gulasch"));
    const std::string update = buildEntry(named("Kartoffelsuppe"));
    dir.write("Zestovar.dat", main);
    dir.write("zsv.dat", update);
    RecipeStore store(dir.path(), dir.files());

    std::vector<std::pair<const char*, std::function<void()>>> readers = {
        {"findByName (full read)", [&] { store.findByName("Kaputt"); }}};
    if (!c.fullReadOnly) {
      readers.insert(readers.end(), {{"nameExists", [&] { store.nameExists("nirgends"); }},
                                     {"authorByName", [&] { store.authorByName("nirgends"); }},
                                     {"findByName (walk)", [&] { store.findByName("nirgends"); }},
                                     {"browseList", [&] { store.browseList("Suppe"); }},
                                     {"deleteEntry", [&] { store.deleteEntry("nirgends"); }},
                                     {"replaceEntry", [&] { store.replaceEntry("nirgends", bowle()); }}});
    }
    for (const auto& [reader, run] : readers) {
      SCOPED_TRACE(reader);
      try {
        run();
        ADD_FAILURE() << "no error";
      } catch (const StoreError& e) {
        EXPECT_EQ(e.what(), c.message);
      }
    }
    EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), main));
    EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), update));
    EXPECT_FALSE(dir.has("New.dat"));
    EXPECT_FALSE(store::checkRecipeFile(*dir->open(dir / "Zestovar.dat", store::OpenMode::ReadOnly)).empty());
    store.appendEntry(bowle());
    EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), main + buildEntry(bowleRecords())));
  }
}

TEST(ReadEntry, TailLengthAboveFiftyOneReadsTheWholeTailRecordAndZeroOrBelowReadsNothing) {
  struct Tail {
    const char* text;
    std::size_t bytes;  // taken from the tail record
  };
  for (const Tail& t : {Tail{"52", 51}, Tail{"2147483647", 51}, Tail{"51", 51}, Tail{"0", 0}, Tail{"-1", 0},
                        Tail{"-2", 0}, Tail{"-2147483648", 0}}) {
    SCOPED_TRACE(t.text);
    MemoryDir dir;
    EntryRecords e = named("Borschtsch");
    e.pictureKind = EntryRecords::Picture::Bytes;
    e.picture = pictureBytes(49 + 11);
    e.tailText = t.text;
    const std::string file = buildEntry(e);
    dir.write("Zestovar.dat", file);
    RecipeStore store(dir.path(), dir.files());
    const auto found = store.findByName("Borschtsch");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].picture, pictureBytes(49) + file.substr(file.size() - kRecord, t.bytes));
    // No walk stops on it, and the check only warns when it lies outside -1 to 51.
    EXPECT_TRUE(store.nameExists("Borschtsch"));
    for (const auto& problem : store::checkRecipeFile(*dir->open(dir / "Zestovar.dat", store::OpenMode::ReadOnly)))
      EXPECT_TRUE(problem.warning) << problem.text;
  }
}

}  // namespace
}  // namespace zestovar::test
