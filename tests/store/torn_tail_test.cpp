// What no content can do to the recipe files: a picture that holds the picture end record is never
// stored, typed text that reads "!!!Ende des Bildes!!!" never decides where an entry ends, and the
// torn tail of an interrupted append is moved aside, never lost and never mistaken for a damaged file.
#include <gtest/gtest.h>

#include "PlantedLink.h"
#include "StoreFixtures.h"
#include "store/Check.h"
#include "store/Entry.h"
#include "store/EntryRules.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using store::NewRecipe;
using store::RecipeStore;
using store::StoreError;

NewRecipe borschtsch() {
  NewRecipe r;
  r.category = "Suppe";
  r.subcategories = {"Suppen"};
  r.name = "Borschtsch";
  r.ingredients = {"500 g Rote Bete"};
  r.preparation = "Kochen.";
  r.author = "Quenna";
  r.persons = "4";
  return r;
}

EntryRecords borschtschRecords() {
  EntryRecords e = named("Borschtsch");
  e.origin = "keine Angabe";
  e.ingredients = {"500 g Rote Bete"};
  e.preparation = "Kochen.";
  return e;
}

// The 22 bytes the walks take for the picture end record.
std::string endRecordBytes() { return textRecord(kEnd).substr(0, 1 + kEnd.size()); }

std::vector<store::Problem> check(const MemoryDir& dir, std::string_view name = "Zestovar.dat") {
  return store::checkRecipeFile(*dir->open(dir / name, store::OpenMode::ReadOnly));
}

bool onlyWarnings(const std::vector<store::Problem>& problems) {
  for (const auto& p : problems)
    if (!p.warning) return false;
  return true;
}

TEST(Pictures, PictureHoldingThePictureEndRecordAtARecordStartIsRefusedAndNothingWritten) {
  const std::string before = buildEntry(named("Erbsensuppe"));
  for (const std::size_t record : {0, 1, 7}) {
    SCOPED_TRACE("picture record " + std::to_string(record));
    const std::string picture = pictureBytes(49 * record) + endRecordBytes() + pictureBytes(80);
    MemoryDir dir;
    dir.write("Zestovar.dat", before);
    dir.write("foto.jpg", picture);
    RecipeStore store(dir.path(), dir.files());
    NewRecipe fromFile = borschtsch();
    fromFile.picture = dir / "foto.jpg";
    NewRecipe imported = borschtsch();
    imported.pictureBytes = picture;
    const std::vector<std::pair<std::string, std::function<void()>>> writes = {
        {"Das Bild 'foto.jpg'", [&] { store.appendEntry(fromFile); }},
        {"Das Bild des Rezepts 'Borschtsch'",
         [&] {
           store.appendEntries({borschtsch(), imported});
         }},
        {"Das Bild 'foto.jpg'", [&] { store.replaceEntry("Erbsensuppe", fromFile); }},
    };
    for (const auto& [named, write] : writes) {
      try {
        write();
        ADD_FAILURE() << "stored";
      } catch (const StoreError& e) {
        EXPECT_EQ(std::string(e.what()).find(named), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("Byte " + std::to_string(49 * record)), std::string::npos) << e.what();
      }
      EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), before));
    }
  }
  // Elsewhere the same bytes are only picture data: inside a record, or in the tail record.
  for (const std::string& picture : {pictureBytes(1) + endRecordBytes() + pictureBytes(60),
                                     pictureBytes(49) + endRecordBytes() + pictureBytes(10)}) {
    MemoryDir dir;
    RecipeStore store(dir.path(), dir.files());
    NewRecipe r = borschtsch();
    r.pictureBytes = picture;
    store.appendEntry(r);
    EXPECT_EQ(store.lastByName("Borschtsch")->picture, picture);
    EXPECT_TRUE(check(dir).empty());
  }
}

// An entry whose text records read "!!!Ende des Bildes!!!", cut short at every record (and inside
// records) as a killed append leaves it: the walks end before it, `check` warns, and the next append
// or rewrite moves its bytes to "Abgeschnitten.dat".
TEST(TornTail, TypedPictureEndTextDecidesNothingAndTheTailIsMovedAside) {
  EntryRecords withPicture = named("Soljanka");
  withPicture.pictureKind = EntryRecords::Picture::Bytes;
  withPicture.picture = pictureBytes(3 * 49 + 7);
  EntryRecords markerIngredient = named("Gulaschsuppe");
  markerIngredient.ingredients = {"1 kg Gulasch", kEnd, kEnd, "Salz"};
  EntryRecords markerLastPiece = named("Zwiebelsuppe");
  markerLastPiece.pieces = {"Zwiebeln in Ringe schneiden und in Butter d\xfcnsten", kEnd};
  EntryRecords markerAuthor = withPicture;
  markerAuthor.name = "Fischsuppe";
  markerAuthor.author = kEnd;
  EntryRecords markerEverywhere = withPicture;
  markerEverywhere.name = "Hochzeitssuppe";
  markerEverywhere.pieces = {kEnd};
  markerEverywhere.author = kEnd;
  markerEverywhere.persons = kEnd;
  EntryRecords soupLines = withPicture;
  soupLines.name = "Suppensuppe";
  soupLines.ingredients = {"Suppe", "Suppe", " Suppen", "Suppe", "4", "Suppe"};
  const std::string before = buildEntry(named("Erbsensuppe")) + buildEntry(named("Linsensuppe"));
  for (const EntryRecords& last : {withPicture, named("Borschtsch"), markerIngredient, markerLastPiece, markerAuthor,
                                   markerEverywhere, soupLines}) {
    const std::string torn = buildEntry(last);
    std::vector<std::size_t> cuts;
    for (std::size_t record = 0; record < torn.size() / kRecord; ++record)
      for (std::size_t inside : {0, 1, 25}) cuts.push_back(record * kRecord + inside);
    for (const std::size_t cut : cuts) {
      if (cut == 0) continue;
      SCOPED_TRACE(last.name + " cut after " + std::to_string(cut) + " bytes");
      for (const bool append : {true, false}) {
        MemoryDir dir;
        dir.write("Zestovar.dat", before + torn.substr(0, cut));
        dir.write("zsv.dat", buildEntry(named("Kartoffelsuppe")));
        RecipeStore store(dir.path(), dir.files());
        EXPECT_EQ(store.browseList("Suppe"),
                  (std::vector<std::string>{"Erbsensuppe", "Kartoffelsuppe", "Linsensuppe"}));
        EXPECT_FALSE(store.nameExists(last.name));
        EXPECT_EQ(store.authorByName("Kartoffelsuppe"), "Quenna");
        const auto problems = check(dir);
        EXPECT_FALSE(problems.empty());
        EXPECT_TRUE(onlyWarnings(problems));

        if (append) {
          store.appendEntry(borschtsch());
          EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), before + buildEntry(borschtschRecords())));
        } else {
          store.deleteEntry("Gulasch");  // no entry carries it, but the rewrite leaves the torn tail out
          EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), before));
        }
        EXPECT_EQ(dir.read("Abgeschnitten.dat"), torn.substr(0, cut));
        EXPECT_TRUE(check(dir).empty());
      }
    }
    MemoryDir dir;
    dir.write("Zestovar.dat", before + torn);
    RecipeStore store(dir.path(), dir.files());
    EXPECT_TRUE(store.nameExists(last.name));
    EXPECT_TRUE(check(dir).empty());
  }
}

TEST(TornTail, EachCutTailIsAddedToWhatWasCutBefore) {
  MemoryDir dir;
  const std::string first = buildEntry(named("Soljanka")).substr(0, 5 * kRecord);
  const std::string second = buildEntry(named("Borschtsch")).substr(0, 2 * kRecord + 9);
  dir.write("Zestovar.dat", first);
  RecipeStore store(dir.path(), dir.files());
  store.appendEntry(borschtsch());
  dir.write("Zestovar.dat", dir.read("Zestovar.dat") + second);
  store.deleteEntry("Borschtsch");
  EXPECT_EQ(dir.read("Zestovar.dat"), "");
  EXPECT_EQ(dir.read("Abgeschnitten.dat"), first + second);
}

TEST(TornTailOnDisk, CutTailNeverGoesThroughALinkPlacedUnderItsName) {
  for (const PlantedLink::To to : {PlantedLink::To::File, PlantedLink::To::Nowhere}) {
    TempDir dir;
    const std::string torn = buildEntry(named("Soljanka")).substr(0, 6 * kRecord);
    dir.write("Zestovar.dat", buildEntry(named("Erbsensuppe")) + torn);
    const PlantedLink link(dir / "Abgeschnitten.dat", to);
    RecipeStore store(dir.path());
    store.appendEntry(borschtsch());
    EXPECT_EQ(link.problems(), "");
    EXPECT_EQ(dir.read("Abgeschnitten.dat"), torn);
  }
}

// Running past the end anywhere else stays an error of the walks, and no write cuts anything off.
TEST(TornTail, RunningOutWhereAWholeEntryFollowsStaysAnError) {
  EntryRecords spelling = named(
      "K\xfc"
      "rbissuppe");
  spelling.ingredients.clear();
  for (const std::string& record : splitRecords(buildEntry(named("Falsche Suppe"))))
    spelling.ingredients.push_back(textOf(record));
  spelling.ingredients.push_back("Salz");
  std::string spelled = buildEntry(spelling);
  spelled.resize(spelled.size() - 8 * kRecord);
  EntryRecords huge = named("Kaputt");
  huge.n1Text = "40";
  const std::vector<std::pair<const char*, std::string>> files = {
      {"ingredient lines that spell an entry", buildEntry(named("Erbsensuppe")) + spelled},
      {"count damaged upward in the second-to-last entry",
       buildEntry(named("Erbsensuppe")) + buildEntry(huge) + buildEntry(named("Linsensuppe"))},
  };
  for (const auto& [what, main] : files) {
    SCOPED_TRACE(what);
    MemoryDir dir;
    dir.write("Zestovar.dat", main);
    RecipeStore store(dir.path(), dir.files());
    EXPECT_THROW(store.browseList("Suppe"), StoreError);
    EXPECT_THROW(store.nameExists("nirgends"), StoreError);
    EXPECT_FALSE(onlyWarnings(check(dir)));
    store.appendEntry(borschtsch());
    EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), main + buildEntry(borschtschRecords())));
    EXPECT_FALSE(dir.has("Abgeschnitten.dat"));
  }
}

// A last entry whose count was damaged upward reads as a torn tail: it is moved aside whole.
TEST(TornTail, LastEntryWithACountDamagedUpwardIsKeptAside) {
  EntryRecords damaged = named("Soljanka");
  damaged.n2Text = "7";
  MemoryDir dir;
  const std::string before = buildEntry(named("Erbsensuppe"));
  dir.write("Zestovar.dat", before + buildEntry(damaged));
  RecipeStore store(dir.path(), dir.files());
  EXPECT_EQ(store.browseList("Suppe"), std::vector<std::string>{"Erbsensuppe"});
  store.appendEntry(borschtsch());
  EXPECT_EQ(dir.read("Abgeschnitten.dat"), buildEntry(damaged));
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), before + buildEntry(borschtschRecords())));
}

// Many records that hold a category name before a long torn picture are judged in one pass.
TEST(TornTail, ManyCategoryLinesBeforeALongPictureAreOneTornTail) {
  EntryRecords e = named(
      "Suppenk\xfc"
      "che");
  e.ingredients.assign(1000, "Suppe");
  e.pictureKind = EntryRecords::Picture::Bytes;
  e.picture = pictureBytes(8 << 20);
  std::string torn = buildEntry(e);
  torn.resize(torn.size() - 3 * kRecord);
  MemoryDir dir;
  dir.write("Zestovar.dat", buildEntry(named("Erbsensuppe")) + torn);
  auto file = dir->open(dir / "Zestovar.dat", store::OpenMode::ReadOnly);
  EXPECT_EQ(store::findTornTail(*file),
            std::optional<std::uint64_t>(buildEntry(named("Erbsensuppe")).size() / kRecord));
}

}  // namespace
}  // namespace zestovar::test
