#include <gtest/gtest.h>

#include <filesystem>

#include "StoreFixtures.h"
#include "accessories/Launcher.h"

namespace fs = std::filesystem;
using zestovar::accessories::desktopEntry;
using zestovar::accessories::execArgument;
using zestovar::accessories::saveLauncher;
using namespace zestovar::test;

namespace {

// The Exec value as a desktop reads it: string escapes undone, then the quoted argument taken apart.
std::string unquoteExec(const std::string& value) {
  std::string unescaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      unescaped += value[i];
      continue;
    }
    const char next = value[++i];
    unescaped += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
  }
  EXPECT_EQ(unescaped.front(), '"');
  EXPECT_EQ(unescaped.back(), '"');
  std::string argument;
  for (std::size_t i = 1; i + 1 < unescaped.size(); ++i) {
    if (unescaped[i] == '\\') {
      ++i;
    } else if (unescaped[i] == '%') {
      EXPECT_EQ(unescaped[i + 1], '%') << "a field code in " << value;
      ++i;
    } else {
      EXPECT_TRUE(unescaped[i] != '"' && unescaped[i] != '`' && unescaped[i] != '$') << value;
    }
    argument += unescaped[i];
  }
  return argument;
}

}  // namespace

TEST(Launcher, EntryNamesTheProgramAndStartsItsFile) {
  EXPECT_EQ(desktopEntry("/opt/zestovar/zestovar"),
            "[Desktop Entry]\nType=Application\nName=Quenna's Zestovar\nComment=Quenna's Zestovar\n"
            "Exec=\"/opt/zestovar/zestovar\"\nTerminal=false\n");
}

TEST(Launcher, ExecQuotingGivesBackEveryPath) {
  for (const std::string path : {"/home/anna/Meine Rezepte/zestovar", "/tmp/50% \"fett\"/zest`o`var",
                                 "/tmp/$HOME/a\\b/zestovar", "/tmp/zeile\neins\tzwei\r/zestovar", "/tmp/%f %u/z"}) {
    const std::string value = execArgument(path);
    EXPECT_EQ(value.find_first_of("\n\t\r"), std::string::npos) << value;
    EXPECT_EQ(unquoteExec(value), path);
  }
  EXPECT_EQ(execArgument("/a b/100%"), "\"/a b/100%%\"");
  EXPECT_EQ(execArgument("/a\\b"), "\"/a\\\\\\\\b\"");
}

TEST(Launcher, SavedWithItsModeAndOverwrittenNothingWhereTheFolderIsMissing) {
  const TempDir home;
  const auto files = zestovar::store::diskFiles();
  const fs::path launcher = home.path() / "Quenna's Zestovar.desktop";
  {
    std::ofstream old(launcher);
    old << "[Desktop Entry]\nExec=/old/place\n";
  }
  fs::permissions(launcher, static_cast<fs::perms>(0600));

  EXPECT_TRUE(saveLauncher(*files, home.path(), "/new place/zestovar"));
  EXPECT_TRUE(saveLauncher(*files, home.path(), "/new place/zestovar"));
  EXPECT_EQ(readFile(launcher), desktopEntry("/new place/zestovar"));
  EXPECT_EQ(fs::status(launcher).permissions(), static_cast<fs::perms>(0755));
  EXPECT_EQ(std::distance(fs::directory_iterator(home.path()), fs::directory_iterator()), 1);

  // Nothing where the folder is missing, and a folder that cannot be named is not the current one.
  const TempDir work;
  EXPECT_FALSE(saveLauncher(*files, work.path() / "Desktop", "/opt/zestovar"));
  const fs::path before = fs::current_path();
  fs::current_path(work.path());
  EXPECT_FALSE(saveLauncher(*files, fs::path(), "/opt/zestovar"));
  fs::current_path(before);
  EXPECT_TRUE(fs::is_empty(work.path()));
}
