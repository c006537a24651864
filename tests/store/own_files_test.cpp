// Files the program writes for itself are written under their very name, never through a link placed
// there; temporary files are made afresh; only plain files are read, so a pipe given as input cannot block.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "PlantedLink.h"
#include "StoreFixtures.h"
#include "store/RecipeStore.h"
#include "store/SideFile.h"

namespace zestovar::test {
namespace {

namespace fs = std::filesystem;
using To = PlantedLink::To;

TEST(OwnFilesOnDisk, WholeFileTakesThePlaceOfWhateverStandsUnderItsName) {
  TempDir dir;
  auto files = store::diskFiles();
  dir.write("Rezept.htm", "alte Seite");
  ASSERT_EQ(::chmod((dir / "Rezept.htm").c_str(), 0600), 0);
  store::writeWholeFile(*files, dir / "Rezept.htm", "neu");
  EXPECT_EQ(dir.read("Rezept.htm"), "neu");
  EXPECT_EQ(fs::status(dir / "Rezept.htm").permissions(), static_cast<fs::perms>(0600));

  for (const To to : {To::File, To::Nowhere}) {
    PlantedLink link(dir / "Image.jpg", to);
    store::writeWholeFile(*files, dir / "Image.jpg", "Bild");
    EXPECT_EQ(link.problems(), "");
    EXPECT_EQ(dir.read("Image.jpg"), "Bild");
    fs::remove(dir / "Image.jpg");
  }

  // A second name of a file outside is no file of the program's either.
  TempDir outside;
  outside.write("ziel.txt", "draussen");
  fs::create_hard_link(outside / "ziel.txt", dir / "temp.htm");
  store::writeWholeFile(*files, dir / "temp.htm", "Einkaufsliste");
  EXPECT_EQ(outside.read("ziel.txt"), "draussen");
  EXPECT_EQ(dir.read("temp.htm"), "Einkaufsliste");
  EXPECT_EQ(fs::hard_link_count(dir / "temp.htm"), 1U);

  ASSERT_EQ(::mkfifo((dir / "UploadRez.dat").c_str(), 0644), 0);
  store::writeWholeFile(*files, dir / "UploadRez.dat", "Rezepte");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "UploadRez.dat")));
  EXPECT_EQ(dir.read("UploadRez.dat"), "Rezepte");

  fs::create_directory(dir / "newzsv.dat");
  EXPECT_THROW(store::writeWholeFile(*files, dir / "newzsv.dat", "x"), store::NotAFileError);
}

TEST(OwnFilesOnDisk, OwnFileIsReadAndAppendedOnlyUnderItsVeryName) {
  TempDir dir;
  auto files = store::diskFiles();
  const fs::path own = dir / "Abgeschnitten.dat";
  EXPECT_EQ(store::readOwnFile(*files, own), std::nullopt);
  store::appendToOwnFile(*files, own, "erster Rest");
  store::appendToOwnFile(*files, own, ", zweiter Rest");
  EXPECT_EQ(store::readOwnFile(*files, own), "erster Rest, zweiter Rest");

  for (const To to : {To::File, To::Nowhere}) {
    fs::remove(own);
    PlantedLink link(own, to);
    EXPECT_EQ(store::readOwnFile(*files, own), std::nullopt);
    store::appendToOwnFile(*files, own, "Rest");
    EXPECT_EQ(link.problems(), "");
    EXPECT_EQ(dir.read("Abgeschnitten.dat"), "Rest");
  }

  TempDir outside;
  outside.write("ziel.txt", "draussen");
  fs::remove(own);
  fs::create_hard_link(outside / "ziel.txt", own);
  EXPECT_EQ(store::readOwnFile(*files, own), std::nullopt);
  store::appendToOwnFile(*files, own, "Rest");
  EXPECT_EQ(outside.read("ziel.txt"), "draussen");
  EXPECT_EQ(dir.read("Abgeschnitten.dat"), "Rest");
}

TEST(ReplacementOnDisk, TemporaryFileIsMadeAfreshNeverThroughALinkOrALeftover) {
  TempDir dir;
  dir.write("Zestovar.dat", buildEntry(named("Gulasch")) + buildEntry(named("Soljanka")));
  store::RecipeStore store(dir.path());
  PlantedLink rewrite(dir / "New.dat", To::File);
  PlantedLink sideFile(dir / "EList.dat.tmp", To::Nowhere);
  dir.write("Merklist.dat.tmp", "Rest eines abgebrochenen Laufs");

  store.deleteEntry("Gulasch");
  store::writeSideFile(store.files(), dir.path(), "EList.dat", {"Mehl"});
  store::writeSideFile(store.files(), dir.path(), "Merklist.dat", {"Soljanka"});

  EXPECT_EQ(rewrite.problems(false), "");
  EXPECT_EQ(sideFile.problems(false), "");
  EXPECT_TRUE(sameRecords(dir.read("Zestovar.dat"), buildEntry(named("Soljanka"))));
  EXPECT_EQ(dir.read("EList.dat"), "Mehl\r\n");
  EXPECT_EQ(dir.read("Merklist.dat"), "Soljanka\r\n");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"EList.dat", "Merklist.dat", "Zestovar.dat", "zsv.dat"}));
}

TEST(InputFiles, PipesDevicesAndFoldersAreRefusedAtOnceNamingTheFile) {
  TempDir dir;
  const fs::path pipe = dir / "rezepte.mmf";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  fs::create_symlink(pipe, dir / "bild.jpg");
  fs::create_directory(dir / "Ordner");
  auto files = store::diskFiles();
  for (const fs::path& input : {pipe, dir / "bild.jpg", fs::path("/dev/zero"), dir / "Ordner"}) {
    SCOPED_TRACE(input);
    try {
      store::readWholeFile(*files, input);
      ADD_FAILURE() << "read";
    } catch (const store::NotAFileError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + input.string() +
                                           "' ist keine gewöhnliche Datei, sondern etwa ein Ordner, eine Pipe "
                                           "oder ein Gerät");
    }
  }

  // A picture that is no file is refused before anything is written, not stored as one that could not
  // be read.
  store::RecipeStore store(dir.path());
  store::NewRecipe recipe;
  recipe.category = "Suppe";
  recipe.subcategories = {"Suppen"};
  recipe.name = "Gulasch";
  for (const fs::path& picture : {dir / "bild.jpg", fs::path("/dev/zero")}) {
    recipe.picture = picture;
    EXPECT_THROW(store.appendEntry(recipe), store::NotAFileError);
  }
  EXPECT_EQ(dir.read("Zestovar.dat"), "");

  // A recipe file is not waited for either.
  TempDir pipes;
  ASSERT_EQ(::mkfifo((pipes / "zsv.dat").c_str(), 0644), 0);
  EXPECT_THROW(store::RecipeStore{pipes.path()}, store::NotAFileError);
}

}  // namespace
}  // namespace zestovar::test
