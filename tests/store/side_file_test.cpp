// Side files and every rewrite through a rename: line ends, failures at any moment, permissions and
// symbolic links, in memory and on the disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "StoreFixtures.h"
#include "store/RecipeStore.h"
#include "store/SideFile.h"

namespace zestovar::test {
namespace {

namespace fs = std::filesystem;
using store::Permissions;
using store::readSideFile;
using store::writeSideFile;

TEST(SideFile, LinesSplitAtEveryLineEndAndAreWrittenWithCrLf) {
  using V = std::vector<std::string>;
  EXPECT_EQ(store::splitSideFileLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(store::splitSideFileLines("a\r\n\r\n"), (V{"a", ""}));
  EXPECT_EQ(store::splitSideFileLines("\n\r"), (V{"", ""}));
  EXPECT_EQ(store::splitSideFileLines("a\r\r\nb"), (V{"a", "", "b"}));
  EXPECT_TRUE(store::splitSideFileLines("").empty());

  MemoryDir dir;
  EXPECT_TRUE(readSideFile(*dir.files(), dir.path(), "EList.dat").empty());
  EXPECT_FALSE(dir.has("EList.dat"));
  // A name with a line break inside (pasted, or downloaded) must not split into two lines.
  writeSideFile(*dir.files(), dir.path(), "DelRez.dat", {"Gulasch\r\nvom Rind", "Quenna", "", "Ilka\n"});
  EXPECT_EQ(dir.read("DelRez.dat"), "Gulasch  vom Rind\r\nQuenna\r\n\r\nIlka \r\n");
  EXPECT_EQ(readSideFile(*dir.files(), dir.path(), "DelRez.dat"), (V{"Gulasch  vom Rind", "Quenna", "", "Ilka "}));
  writeSideFile(*dir.files(), dir.path(), "DelRez.dat", {});
  EXPECT_EQ(dir.read("DelRez.dat"), "");
  // A file of another spelling is read and rewritten under its spelling.
  dir.write("elist.DAT", "Mehl\r\n");
  EXPECT_EQ(readSideFile(*dir.files(), dir.path(), "EList.dat"), std::vector<std::string>{"Mehl"});
  writeSideFile(*dir.files(), dir.path(), "EList.dat", {"Mehl", "Zucker"});
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"DelRez.dat", "elist.DAT"}));
  EXPECT_EQ(dir.read("elist.DAT"), "Mehl\r\nZucker\r\n");
}

TEST(SideFile, FailedRewriteLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::vector<std::pair<const char*, std::function<void(MemoryFiles&)>>> failures = {
      {"full at once", [](MemoryFiles& f) { f.failWritesAfter(0); }},
      {"full part-way", [](MemoryFiles& f) { f.failWritesAfter(5); }},
      {"flush fails", [](MemoryFiles& f) { f.failFlush(); }},
      {"rename fails", [](MemoryFiles& f) { f.failReplace(); }},
  };
  for (const auto& [what, arm] : failures) {
    SCOPED_TRACE(what);
    MemoryDir dir;
    dir.write("Merklist.dat", "Gulasch\r\nSoljanka\r\n");
    arm(*dir.files());
    EXPECT_THROW(writeSideFile(*dir.files(), dir.path(), "Merklist.dat", {"Borschtsch"}), store::StoreError);
    EXPECT_EQ(dir.read("Merklist.dat"), "Gulasch\r\nSoljanka\r\n");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"Merklist.dat"});
  }
}

TEST(SideFile, RewriteKeepsPermissionsAndLinksAndAPasswordFileStaysPrivate) {
  MemoryDir dir;
  dir.write("EList.dat", "alt\r\n", static_cast<Permissions>(0640));
  writeSideFile(*dir.files(), dir.path(), "EList.dat", {"neu"});
  EXPECT_EQ(dir->permissions(dir / "EList.dat"), static_cast<Permissions>(0640));

  writeSideFile(*dir.files(), dir.path(), "Merklist.dat", {"neu"});
  EXPECT_EQ(dir->permissions(dir / "Merklist.dat"), store::kNewFilePermissions);

  dir.write("Proxy.cfg", "alt\r\n", static_cast<Permissions>(0644));
  writeSideFile(*dir.files(), dir.path(), "Proxy.cfg", {"proxy", "8080", "user", "geheim"}, store::kPrivatePermissions);
  EXPECT_EQ(dir->permissions(dir / "Proxy.cfg"), store::kPrivatePermissions);

  dir->write("/daten/merkliste.txt", "alt\r\n");
  dir->link(dir / "DelRez.dat", "../daten/merkliste.txt");
  writeSideFile(*dir.files(), dir.path(), "DelRez.dat", {"Gulasch", "Quenna"});
  EXPECT_TRUE(dir->isLink(dir / "DelRez.dat"));
  EXPECT_EQ(dir->read("/daten/merkliste.txt"), "Gulasch\r\nQuenna\r\n");
  EXPECT_EQ(dir->names("/daten"), std::vector<std::string>{"merkliste.txt"});
}

// The same on the disk, where the temporary file must lie beside the link's target for the rename.
TEST(RewriteOnDisk, RecipeFileAndSideFileBehindLinksKeepTheirLinksAndModes) {
  TempDir program, elsewhere;
  elsewhere.write("rezepte.dat", buildEntry(named("Gulasch")) + buildEntry(named("Soljanka")));
  elsewhere.write("liste.dat", "Mehl\r\n");
  ASSERT_EQ(::chmod((elsewhere / "rezepte.dat").c_str(), 0640), 0);
  ASSERT_EQ(::chmod((elsewhere / "liste.dat").c_str(), 0600), 0);
  fs::create_symlink(elsewhere / "rezepte.dat", program / "Zestovar.dat");
  fs::create_symlink(elsewhere / "liste.dat", program / "EList.dat");
  program.write("New.dat", buildEntry(named("Gulasch")).substr(0, 100));  // left over, removed on opening

  store::RecipeStore store(program.path());
  store.deleteEntry("Gulasch");
  writeSideFile(*store::diskFiles(), program.path(), "EList.dat", {"Mehl", "Zucker"});

  for (const char* link : {"Zestovar.dat", "EList.dat"}) EXPECT_TRUE(fs::is_symlink(program / link)) << link;
  EXPECT_TRUE(sameRecords(elsewhere.read("rezepte.dat"), buildEntry(named("Soljanka"))));
  EXPECT_EQ(elsewhere.read("liste.dat"), "Mehl\r\nZucker\r\n");
  EXPECT_EQ(fs::status(elsewhere / "rezepte.dat").permissions(), static_cast<fs::perms>(0640));
  EXPECT_EQ(fs::status(elsewhere / "liste.dat").permissions(), static_cast<fs::perms>(0600));
  EXPECT_EQ(elsewhere.names(), (std::vector<std::string>{"liste.dat", "rezepte.dat"}));
  EXPECT_EQ(program.names(), (std::vector<std::string>{"EList.dat", "Zestovar.dat", "zsv.dat"}));
}

}  // namespace
}  // namespace zestovar::test
