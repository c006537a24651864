// The deleted-recipes list and "DelRez.dat": reading its pairs, remembering a deletion before the
// entry goes, and failures that must not lose a pair.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreFixtures.h"
#include "store/DeletedRecipes.h"
#include "store/RecipeStore.h"

namespace zestovar::test {
namespace {

using store::DeletedRecipes;
using Lines = std::vector<std::string>;

Lines flat(const DeletedRecipes& deleted) {
  Lines lines;
  for (const auto& [name, author] : deleted.pairs()) {
    lines.push_back(name);
    lines.push_back(author);
  }
  return lines;
}

TEST(DeletedRecipes, LoadedLinesReadAsPairsAndAnUnpairedLastNameHasNoAuthor) {
  MemoryDir dir;
  DeletedRecipes deleted(*dir.files(), dir.path());
  deleted.load();
  EXPECT_TRUE(deleted.pairs().empty());
  EXPECT_FALSE(dir.has("DelRez.dat"));

  dir.write("delrez.DAT", "Gulasch\r\nQuenna\r\nLinsensuppe\r\n\r\nZwieback\r\n");
  deleted.load();
  EXPECT_EQ(flat(deleted), (Lines{"Gulasch", "Quenna", "Linsensuppe", "", "Zwieback", ""}));

  // A file that cannot be read leaves the list as it was.
  dir->failOpen("delrez.DAT");
  EXPECT_THROW(deleted.load(), store::StoreError);
  EXPECT_EQ(deleted.pairs().size(), 3u);
}

TEST(DeletedRecipes, DeletingRemembersNameAndAuthorBeforeTheEntryGoes) {
  MemoryDir dir;
  EntryRecords gulaschEntry = named("Gulasch", "Hauptgericht");
  gulaschEntry.author = "Quenna";
  const std::string soup = buildEntry(named("Linsensuppe"));
  dir.write("Zestovar.dat", buildEntry(gulaschEntry) + soup);
  store::RecipeStore store(dir.path(), dir.files());
  DeletedRecipes deleted(*dir.files(), dir.path());

  deleted.deleteRecipe(store, "Gulasch");
  EXPECT_EQ(flat(deleted), (Lines{"Gulasch", "Quenna"}));
  EXPECT_EQ(dir.read("DelRez.dat"), "Gulasch\r\nQuenna\r\n");
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), soup));
  // Once the entry is gone, the name is remembered without an author.
  deleted.deleteRecipe(store, "Gulasch");
  EXPECT_EQ(dir.read("DelRez.dat"), "Gulasch\r\nQuenna\r\nGulasch\r\n\r\n");

  // A deletion that fails still leaves its pair in the list and in the file.
  dir->failOpen("New.dat");
  EXPECT_THROW(deleted.deleteRecipe(store, "Linsensuppe"), store::StoreError);
  EXPECT_EQ(dir.read("DelRez.dat"), "Gulasch\r\nQuenna\r\nGulasch\r\n\r\nLinsensuppe\r\nQuenna\r\n");
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), soup));
}

TEST(DeletedRecipes, FailedWriteKeepsThePairAndForgettingLeavesAnEmptyFile) {
  MemoryDir dir;
  dir.write("delrez.DAT", "Gulasch\r\nQuenna\r\n");
  DeletedRecipes deleted(*dir.files(), dir.path());
  deleted.load();
  dir->failReplace();
  EXPECT_THROW(deleted.remember("Zwieback", ""), store::StoreError);
  EXPECT_EQ(flat(deleted), (Lines{"Gulasch", "Quenna", "Zwieback", ""}));
  EXPECT_EQ(dir.read("delrez.DAT"), "Gulasch\r\nQuenna\r\n");

  MemoryDir fresh;
  fresh.write("delrez.DAT", "Gulasch\r\nQuenna\r\n");
  DeletedRecipes forgotten(*fresh.files(), fresh.path());
  forgotten.load();
  forgotten.forget();
  EXPECT_TRUE(forgotten.pairs().empty());
  EXPECT_EQ(fresh.names(), (Lines{"delrez.DAT"}));
  EXPECT_EQ(fresh.read("delrez.DAT"), "");
}

}  // namespace
}  // namespace zestovar::test
