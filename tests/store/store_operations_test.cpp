// The store operations over both recipe files: names and their repair on disk, the browse list,
// delete and replace across the two files, and what survives a failing disk.
#include <gtest/gtest.h>

#include <functional>

#include "StoreFixtures.h"
#include "store/BrowseOrder.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using store::NewRecipe;
using store::RecipeStore;
using store::StoreError;

std::string entries(std::initializer_list<EntryRecords> specs) {
  std::string out;
  for (const auto& entry : specs) out += buildEntry(entry);
  return out;
}

// The fields append entry is given for named("Kartoffelsuppe"), with the persons changed.
NewRecipe changed(const std::string& name) {
  NewRecipe r;
  r.category = "Suppe";
  r.subcategories = {"Suppen"};
  r.name = name;
  r.origin = "deutsch";
  r.ingredients = EntryRecords{}.ingredients;
  r.preparation = EntryRecords{}.preparation;
  r.author = "Quenna";
  r.persons = "6";
  return r;
}

EntryRecords changedRecords(const std::string& name) {
  EntryRecords e = named(name);
  e.persons = "6";
  return e;
}

TEST(Names, RepeatedNamesGetSuffixesOnDiskUpdateFileFirst) {
  MemoryDir dir;
  const std::string update = entries({named("Gulasch", "Hauptgericht")});
  dir.write("zsv.dat", update);
  dir.write("Zestovar.dat",
            entries({named("Gulasch", "Hauptgericht"), named("Gulasch", "Suppe"), named("Gulasch", "Hauptgericht")}));
  RecipeStore store(dir.path(), dir.files());

  EXPECT_EQ(store.browseList("Hauptgericht"), (std::vector<std::string>{"Gulasch", "Gulasch_0", "Gulasch_1"}));
  const std::string renamed =
      entries({named("Gulasch_0", "Hauptgericht"), named("Gulasch", "Suppe"), named("Gulasch_1", "Hauptgericht")});
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), renamed));
  EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), update));
  EXPECT_EQ(store.browseList("Hauptgericht"), (std::vector<std::string>{"Gulasch", "Gulasch_0", "Gulasch_1"}));
  EXPECT_EQ(store.browseList("Suppe"), std::vector<std::string>{"Gulasch"});
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), renamed));
}

const std::string kName49 = "Ungarisches Gulasch nach Art des Hauses, scharf!!";  // 49 characters

TEST(Names, SuffixIsCutToFiftyCharacters) {
  const std::string name50 = kName49 + "i";
  MemoryDir dir;
  dir.write("zsv.dat", entries({named(kName49), named(name50)}));
  const std::string main = entries({named(name50)});
  dir.write("Zestovar.dat", main + entries({named(kName49)}));
  RecipeStore store(dir.path(), dir.files());
  EXPECT_EQ(store.browseList("Suppe"), (std::vector<std::string>{kName49, kName49 + "_", name50, name50}));
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), main + entries({named(kName49 + "_")})));
}

// Repeats (in any letter case) take the smallest suffix still free, also past gaps.
TEST(Names, EachRepeatTakesTheSmallestFreeSuffix) {
  MemoryDir dir;
  dir.write("zsv.dat", entries({named("Gulasch"), named("Gulasch_1"), named("gulasch_3")}));
  dir.write("Zestovar.dat", entries({named("Gulasch"), named(kName49), named("GULASCH"), named(kName49),
                                     named("Gulasch"), named(kName49), named("Gulasch")}));
  RecipeStore store(dir.path(), dir.files());
  std::vector<std::string> names;
  store.listNamesByCategory("Suppe", names);
  EXPECT_EQ(names, (std::vector<std::string>{"Gulasch", "Gulasch_1", "gulasch_3", "Gulasch_0", kName49, "GULASCH_2",
                                             kName49 + "_", "Gulasch_4", kName49 + "_", "Gulasch_5"}));
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"),
                          entries({named("Gulasch_0"), named(kName49), named("GULASCH_2"), named(kName49 + "_"),
                                   named("Gulasch_4"), named(kName49 + "_"), named("Gulasch_5")})));
}

TEST(BrowseList, LetterItemsJoinListsOfMoreThanTwentyNames) {
  for (std::size_t count : {20, 21}) {
    SCOPED_TRACE(count);
    MemoryDir dir;
    std::string main = entries({named("\xc4pfelsuppe")});
    for (std::size_t i = 1; i < count; ++i) main += buildEntry(named("Suppe " + std::to_string(i)));
    dir.write("Zestovar.dat", main);
    const auto list = RecipeStore(dir.path(), dir.files()).browseList("Suppe");
    if (count == 20) {
      EXPECT_EQ(list.size(), 20u);
      EXPECT_EQ(list.front(), "\xc4pfelsuppe");
      continue;
    }
    ASSERT_EQ(list.size(), 21u + 26u);
    EXPECT_EQ(list[0], "A");
    EXPECT_EQ(list[1], "\xc4pfelsuppe");
    EXPECT_EQ(list[2], "B");
    const auto s = std::find(list.begin(), list.end(), "S");
    ASSERT_NE(s, list.end());
    EXPECT_EQ(s[1], "Suppe 1");
    EXPECT_EQ(list.back(), "Z");
  }
}

TEST(BrowseList, OrderIgnoresLetterCaseAndSortsUmlautsWithTheirLetter) {
  std::vector<std::string> items = {"Zwiebelkuchen", "apfelmus", "Pilze", "Birne", "\xc4pfel im Schlafrock",
                                    "\xf6lkuchen",   "banane",   "A",     "Nuss"};
  store::sortBrowseList(items);
  EXPECT_EQ(items, (std::vector<std::string>{"A", "\xc4pfel im Schlafrock", "apfelmus", "banane", "Birne", "Nuss",
                                             "\xf6lkuchen", "Pilze", "Zwiebelkuchen"}));
}

TEST(DeleteEntry, RemovesTheNameFromTheUpdateFileFirstThenFromTheMainFile) {
  MemoryDir dir;
  dir.write("zsv.dat", entries({named("Erbsensuppe"), named("Soljanka"), named("Borschtsch")}));
  dir.write("Zestovar.dat", entries({named("Soljanka"), named("Linsensuppe"), named("Soljanka")}));
  RecipeStore store(dir.path(), dir.files());

  store.deleteEntry("Soljanka");
  EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), entries({named("Erbsensuppe"), named("Borschtsch")})));
  EXPECT_TRUE(
      sameRecords(dir.read("Zestovar.dat"), entries({named("Soljanka"), named("Linsensuppe"), named("Soljanka")})));
  EXPECT_TRUE(store.nameExists("Soljanka"));

  store.deleteEntry("Soljanka");
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), entries({named("Linsensuppe")})));
  EXPECT_FALSE(store.nameExists("Soljanka"));

  const std::string update = dir.read("zsv.dat"), main = dir.read("Zestovar.dat");
  store.deleteEntry("Gulasch");
  EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), update));
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), main));
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Zestovar.dat", "zsv.dat"}));

  // A download appends to the update file's handle, which sees the rewritten file.
  const std::string downloaded = buildEntry(named("Gulasch"));
  store.updateFile().writeAt(store.updateFile().size(), std::as_bytes(std::span(downloaded)));
  EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), update + downloaded));
  EXPECT_EQ(store.findByName("Gulasch").size(), 1u);
}

TEST(ReplaceEntry, ChangedRecipeEndsUpLastInTheMainFile) {
  for (const bool inUpdate : {true, false}) {
    SCOPED_TRACE(inUpdate ? "from the update file" : "from the main file");
    MemoryDir dir;
    dir.write("zsv.dat", inUpdate ? entries({named("Soljanka"), named("Erbsensuppe")}) : std::string());
    dir.write("Zestovar.dat",
              inUpdate ? entries({named("Linsensuppe")}) : entries({named("Soljanka"), named("Linsensuppe")}));
    RecipeStore store(dir.path(), dir.files());
    store.replaceEntry("Soljanka", changed("Soljanka"));
    EXPECT_TRUE(sameRecords(dir.read("zsv.dat"), inUpdate ? entries({named("Erbsensuppe")}) : std::string()));
    EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), entries({named("Linsensuppe"), changedRecords("Soljanka")})));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"Zestovar.dat", "zsv.dat"}));
  }
}

TEST(FileNames, FilesSpelledInOtherLetterCaseAreTheRecipeFilesAndKeepTheirSpelling) {
  MemoryDir dir;
  dir.write("ZSV.DAT", entries({named("Soljanka"), named("Erbsensuppe")}));
  dir.write("ZESTOVAR.DAT", entries({named("Linsensuppe"), named("Borschtsch")}));
  RecipeStore store(dir.path(), dir.files());
  EXPECT_TRUE(store.nameExists("Soljanka"));
  EXPECT_TRUE(store.nameExists("Borschtsch"));
  EXPECT_FALSE(store.nameExists("soljanka"));  // names compare exactly
  EXPECT_FALSE(store.nameExists("Soljanka "));

  store.deleteEntry("Soljanka");
  store.deleteEntry("Borschtsch");
  store.appendEntry(changed("Kartoffelsuppe"));
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"ZESTOVAR.DAT", "ZSV.DAT"}));
  EXPECT_TRUE(sameRecords(dir.read("ZSV.DAT"), entries({named("Erbsensuppe")})));
  EXPECT_TRUE(sameRecords(dir.read("ZESTOVAR.DAT"), entries({named("Linsensuppe"), changedRecords("Kartoffelsuppe")})));
}

// Failures injected into the disk; each case starts from the same two files.
struct Failure {
  const char* what;
  std::function<void(MemoryFiles&)> arm;
};

const std::vector<Failure> kRewriteFailures = {
    {"New.dat full at once", [](MemoryFiles& f) { f.failWritesAfter(0, "New.dat"); }},
    {"New.dat full part-way", [](MemoryFiles& f) { f.failWritesAfter(3 * kRecord + 7, "New.dat"); }},
    {"flush of New.dat fails", [](MemoryFiles& f) { f.failFlush("New.dat"); }},
    {"rename fails", [](MemoryFiles& f) { f.failReplace(); }},
};

class FailingDisk : public ::testing::Test {
 protected:
  RecipeStore store(const Failure& failure) {
    dir_ = MemoryDir();
    dir_.write("zsv.dat", update_);
    dir_.write("Zestovar.dat", main_);
    RecipeStore s(dir_.path(), dir_.files());
    failure.arm(*dir_.files());
    return s;
  }
  // A store on the files as they are now, with a handle of its own, as the next start of the program has.
  RecipeStore fresh() {
    auto files = std::make_shared<MemoryFiles>();
    for (const char* name : {"zsv.dat", "Zestovar.dat"}) files->write(dir_ / name, dir_.read(name));
    return RecipeStore(dir_.path(), files);
  }
  void expectUnchanged() {
    EXPECT_TRUE(sameRecords(dir_.read("zsv.dat"), update_));
    EXPECT_TRUE(sameRecords(dir_.read("Zestovar.dat"), main_));
    EXPECT_EQ(dir_.names(), (std::vector<std::string>{"Zestovar.dat", "zsv.dat"}));
  }

  MemoryDir dir_;
  const std::string update_ = entries({named("Erbsensuppe"), named("Soljanka")});
  const std::string main_ = entries({named("Linsensuppe"), named("Borschtsch")});
};

TEST_F(FailingDisk, FailedAppendLeavesTheMainFileAsItWas) {
  const std::size_t size = buildEntry(changedRecords("Kartoffelsuppe")).size();
  const std::vector<Failure> failures = {
      {"full at once", [](MemoryFiles& f) { f.failWritesAfter(0); }},
      {"full after one byte", [](MemoryFiles& f) { f.failWritesAfter(1); }},
      {"full part-way", [](MemoryFiles& f) { f.failWritesAfter(4 * kRecord + 9); }},
      {"full before the last byte", [size](MemoryFiles& f) { f.failWritesAfter(size - 1); }},
      {"flush fails", [](MemoryFiles& f) { f.failFlush(); }},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    RecipeStore s = store(failure);
    EXPECT_THROW(s.appendEntry(changed("Kartoffelsuppe")), StoreError);
    expectUnchanged();
    EXPECT_FALSE(s.nameExists("Kartoffelsuppe"));
  }
}

TEST_F(FailingDisk, FailedDeleteLeavesBothFilesAsTheyWereAndNoRewriteFile) {
  for (const char* name : {"Soljanka", "Borschtsch"}) {
    for (const Failure& failure : kRewriteFailures) {
      SCOPED_TRACE(std::string(name) + ": " + failure.what);
      RecipeStore s = store(failure);
      EXPECT_THROW(s.deleteEntry(name), StoreError);
      expectUnchanged();
      EXPECT_TRUE(s.nameExists(name));
    }
  }
}

TEST_F(FailingDisk, FailedReplaceNeverLosesTheRecipe) {
  std::vector<Failure> failures = kRewriteFailures;
  failures.push_back({"main file full part-way", [](MemoryFiles& f) { f.failWritesAfter(100, "Zestovar.dat"); }});
  for (const char* name : {"Soljanka", "Borschtsch"}) {
    for (const Failure& failure : failures) {
      SCOPED_TRACE(std::string(name) + ": " + failure.what);
      RecipeStore s = store(failure);
      try {
        s.replaceEntry(name, changed(name));
      } catch (const StoreError&) {
      }
      const auto found = fresh().findByName(name);
      ASSERT_FALSE(found.empty());
      for (const auto& entry : found) EXPECT_TRUE(entry.persons == "4" || entry.persons == "6") << entry.persons;
      EXPECT_FALSE(dir_.has("New.dat"));
    }
  }
}

TEST_F(FailingDisk, StoreStaysUsableWhenTheUpdateFileCannotBeOpenedAgain) {
  RecipeStore s = store({"reopening zsv.dat fails", [](MemoryFiles& f) { f.failOpen("zsv.dat"); }});
  EXPECT_THROW(s.deleteEntry("Soljanka"), StoreError);
  EXPECT_TRUE(sameRecords(dir_.read("zsv.dat"), entries({named("Erbsensuppe")})));
  try {
    EXPECT_TRUE(s.nameExists("Erbsensuppe"));
  } catch (const StoreError&) {
  }
}

}  // namespace
}  // namespace zestovar::test
