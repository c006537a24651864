// Where an installed program keeps its recipes, on real files laid out like an unpacked package.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "StoreFixtures.h"
#include "store/Errors.h"
#include "store/FileIo.h"
#include "store/ProgramHome.h"

namespace fs = std::filesystem;
using namespace zestovar::store;
using zestovar::test::readFile;
using zestovar::test::TempDir;
using zestovar::test::writeFile;

namespace {

constexpr std::string_view kShippedBook = "shipped book";

// usr/bin/ holding only the program, usr/share/zestovar/ holding the shipped book.
class ProgramHomeTest : public ::testing::Test {
 protected:
  ProgramHomeTest() {
    fs::create_directories(bin());
    fs::create_directories(shipped());
    writeFile(shipped() / "Zestovar.dat", kShippedBook);
    writeFile(shipped() / "zsv.dat", "");
  }

  fs::path bin() const { return root_ / "usr/bin"; }
  fs::path shipped() const { return root_ / "usr/share/zestovar"; }
  fs::path home() const { return root_ / "home"; }
  fs::path dataDir() const { return home() / ".local/share/zestovar"; }

  ProgramHome find(std::optional<std::string_view> xdg) {
    return findProgramHome(*files_, bin(), xdg, home().string());
  }

  TempDir root_;
  std::shared_ptr<Files> files_ = diskFiles();
};

TEST_F(ProgramHomeTest, InstalledProgramKeepsItsRecipesInTheDataFolder) {
  EXPECT_EQ(find(std::nullopt).programDir, dataDir());
  EXPECT_EQ(find(std::nullopt).shippedDir, shipped());
  // An empty or relative XDG_DATA_HOME is no value at all.
  EXPECT_EQ(find("").programDir, dataDir());
  EXPECT_EQ(find("daten").programDir, dataDir());
  EXPECT_EQ(find("/srv/daten").programDir, fs::path("/srv/daten/zestovar"));
  EXPECT_THROW(findProgramHome(*files_, bin(), "relativ", std::nullopt), StoreError);
  EXPECT_THROW(findProgramHome(*files_, bin(), std::nullopt, "home"), StoreError);
}

TEST_F(ProgramHomeTest, EveryOtherProgramKeepsItsRecipesBesideIt) {
  // A folder holding only the program, with no shipped book beside it.
  fs::remove(shipped() / "Zestovar.dat");
  EXPECT_FALSE(find(std::nullopt).installed());
  EXPECT_EQ(find(std::nullopt).programDir, bin());
  // A build or copied folder with its book, in any spelling.
  writeFile(shipped() / "Zestovar.dat", kShippedBook);
  writeFile(bin() / "ZESTOVAR.DAT", "");
  EXPECT_EQ(find("/srv/daten").programDir, bin());
  prepareProgramHome(*files_, find(std::nullopt));
  EXPECT_FALSE(fs::exists(dataDir()));
}

TEST_F(ProgramHomeTest, FirstStartCopiesTheBookAndLaterStartsKeepTheUsers) {
  fs::create_symlink("/etc/hostname", shipped() / "fremd.txt");
  const ProgramHome home = find(std::nullopt);
  prepareProgramHome(*files_, home);
  EXPECT_EQ(readFile(dataDir() / "Zestovar.dat"), kShippedBook);
  EXPECT_TRUE(fs::exists(dataDir() / "zsv.dat"));
  EXPECT_FALSE(fs::exists(dataDir() / "fremd.txt"));
  EXPECT_EQ(fs::status(dataDir()).permissions() & fs::perms::all, fs::perms::owner_all);

  writeFile(dataDir() / "Zestovar.dat", "my own recipes");
  fs::remove(dataDir() / "zsv.dat");
  prepareProgramHome(*files_, home);
  EXPECT_EQ(readFile(dataDir() / "Zestovar.dat"), "my own recipes");
  EXPECT_FALSE(fs::exists(dataDir() / "zsv.dat"));

  // Without a main recipe file the book comes again, next to the user's update recipes.
  fs::remove(dataDir() / "Zestovar.dat");
  writeFile(dataDir() / "ZSV.DAT", "downloaded");
  prepareProgramHome(*files_, home);
  EXPECT_EQ(readFile(dataDir() / "Zestovar.dat"), kShippedBook);
  EXPECT_EQ(readFile(dataDir() / "ZSV.DAT"), "downloaded");
  EXPECT_FALSE(fs::exists(dataDir() / "zsv.dat"));
}

TEST_F(ProgramHomeTest, FailedCopyLeavesNoBookAndTheNextStartCompletesIt) {
  const ProgramHome home = find(std::nullopt);
  // A folder under the temporary name makes the copy fail after the other files are in place.
  fs::create_directories(dataDir() / "Zestovar.dat.tmp/x");
  EXPECT_THROW(prepareProgramHome(*files_, home), StoreError);
  EXPECT_FALSE(fs::exists(dataDir() / "Zestovar.dat"));
  EXPECT_TRUE(fs::exists(dataDir() / "zsv.dat"));
  fs::remove_all(dataDir() / "Zestovar.dat.tmp");

  // A copy cut off by a crash leaves its temporary file behind.
  writeFile(dataDir() / "Zestovar.dat.tmp", "shipp");
  prepareProgramHome(*files_, home);
  EXPECT_EQ(readFile(dataDir() / "Zestovar.dat"), kShippedBook);
  EXPECT_FALSE(fs::exists(dataDir() / "Zestovar.dat.tmp"));
}

TEST_F(ProgramHomeTest, DataFolderOthersCanChangeIsRefused) {
  // A link placed where the data folder belongs, to a folder everyone may write to.
  const fs::path open = root_ / "offen";
  fs::create_directories(open);
  fs::permissions(open, fs::perms::all);
  fs::create_directories(dataDir().parent_path());
  fs::create_directory_symlink(open, dataDir());
  EXPECT_THROW(prepareProgramHome(*files_, find(std::nullopt)), ForeignDirectoryError);
  EXPECT_TRUE(fs::is_empty(open));

  // A folder of another user.
  fs::remove(dataDir());
  fs::create_directory(dataDir());
  if (::chown(dataDir().c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)) != 0)
    GTEST_SKIP() << "cannot give a folder away";
  EXPECT_THROW(prepareProgramHome(*files_, find(std::nullopt)), ForeignDirectoryError);
  EXPECT_TRUE(fs::is_empty(dataDir()));
}

}  // namespace
