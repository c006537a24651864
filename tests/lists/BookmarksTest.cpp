// The bookmark list on the program started headless: the list menus of the three recipe lists,
// "Merklist.dat" byte for byte, and the shown list on the tab change and the menu.
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <memory>

#include "ProgramFixture.h"
#include "StoreFixtures.h"
#include "app/Application.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

using zestovar::ui::ScriptedPrompts;
using zestovar::views::RecipeTab;

using namespace zestovar::test;

namespace {

// The program on three breads, the browse list showing them.
class Fixture : public StartedProgram {
 public:
  explicit Fixture(std::string_view bookmarks = {})
      : StartedProgram([bookmarks](const TempDir& dir) {
          std::string breads;
          for (const char* name : {"Zwieback", "Bauernbrot", "\xc4pfelbrot"})
            breads += buildEntry(named(name, "Backwaren"));
          dir.write("Zestovar.dat", breads);
          if (!bookmarks.empty()) dir.write("Merklist.dat", bookmarks);
        }) {}
  RecipeTab& tab() { return recipes(); }
  std::string bookmarks() const { return read("Merklist.dat"); }
  // Clicks an inner tab as the user does.
  void clickInnerTab(QWidget* page) {
    QTabBar* bar = tab().PageControl2->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab().PageControl2->indexOf(page)).center());
  }
  // The search tab's result list for a text.
  void search(const QString& text) {
    tab().Edit5->setText(text);
    tab().Button3Click();
  }
};

}  // namespace

class BookmarksTest : public QObject {
  Q_OBJECT

 private slots:
  void bookmarkingFromEachListAppendsTheNameOnce();
  void shownListFollowsTheBookmarkTabAndTheMenu();
  void unbookmarkingRewritesTheFileAndShowsItsNames();
  void unreadableFileIsReportedAndShowsNoNames();
};

void BookmarksTest::bookmarkingFromEachListAppendsTheNameOnce() {
  Fixture f("ZWIEBACK\n");
  RecipeTab& tab = f.tab();
  QCOMPARE(texts(tab.ListBox3), (QStringList{u"Äpfelbrot"_qs, u"Bauernbrot"_qs, u"Zwieback"_qs}));

  tab.PopupMenu1.bookmark->trigger();  // nothing selected: nothing happens
  QCOMPARE(f.bookmarks(), "ZWIEBACK\n");

  select(tab.ListBox3, u"Zwieback"_qs);
  tab.PopupMenu1.bookmark->trigger();  // there in other letter case: rewritten unchanged
  QCOMPARE(f.bookmarks(), "ZWIEBACK\r\n");
  select(tab.ListBox3, u"Äpfelbrot"_qs);
  tab.PopupMenu1.bookmark->trigger();
  QCOMPARE(f.bookmarks(), "ZWIEBACK\r\n\xc4pfelbrot\r\n");

  f.search(u"Bauernbrot"_qs);
  select(tab.ListBox4, u"Bauernbrot"_qs);
  tab.PopupMenu2.bookmark->trigger();
  tab.PopupMenu2.bookmark->trigger();
  QCOMPARE(f.bookmarks(), "ZWIEBACK\r\n\xc4pfelbrot\r\nBauernbrot\r\n");
  // Bookmarking leaves the shown list as it was.
  QCOMPARE(tab.ListBox5->count(), 0);

  f.main().Merkliste1->trigger();
  select(tab.ListBox5, u"ZWIEBACK"_qs);
  tab.PopupMenu3.bookmark->trigger();
  QCOMPARE(f.bookmarks(), "ZWIEBACK\r\n\xc4pfelbrot\r\nBauernbrot\r\n");
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Error), QStringList());

  // The first bookmark makes the file.
  Fixture fresh;
  select(fresh.tab().ListBox3, u"Bauernbrot"_qs);
  fresh.tab().PopupMenu1.bookmark->trigger();
  QCOMPARE(fresh.bookmarks(), "Bauernbrot\r\n");
}

void BookmarksTest::shownListFollowsTheBookmarkTabAndTheMenu() {
  Fixture f("Zwieback\r\nbrot\r\n\xc4pfelbrot\r\n");
  RecipeTab& tab = f.tab();
  // A switch from code runs no change handling.
  f.main().showTab(TForm1::kInnerBookmarks);
  QCOMPARE(tab.ListBox5->count(), 0);
  f.main().showTab(TForm1::kInnerRecipe);

  f.clickInnerTab(tab.TabSheet8);
  QCOMPARE(tab.PageControl2->currentWidget(), tab.TabSheet8);
  QCOMPARE(texts(tab.ListBox5), (QStringList{u"Äpfelbrot"_qs, u"brot"_qs, u"Zwieback"_qs}));

  // Another inner tab coming to the front leaves the shown list alone.
  f.dir.write("Merklist.dat", "Quarkkuchen\r\n");
  f.clickInnerTab(tab.TabSheet7);
  QCOMPARE(texts(tab.ListBox5), (QStringList{u"Äpfelbrot"_qs, u"brot"_qs, u"Zwieback"_qs}));

  f.main().Einkaufsliste1->trigger();
  f.main().Merkliste1->trigger();
  QCOMPARE(f.main().PageControl1->currentIndex(), int(TForm1::kTabRecipe));
  QCOMPARE(tab.PageControl2->currentWidget(), tab.TabSheet8);
  QCOMPARE(texts(tab.ListBox5), QStringList{u"Quarkkuchen"_qs});

  std::filesystem::remove(f.dir / "Merklist.dat");
  f.main().Merkliste1->trigger();
  QCOMPARE(tab.ListBox5->count(), 0);
  QVERIFY(!f.dir.has("Merklist.dat"));
}

void BookmarksTest::unbookmarkingRewritesTheFileAndShowsItsNames() {
  Fixture f("Quarkkuchen\r\nZWIEBACK\r\nBauernbrot\r\n");
  RecipeTab& tab = f.tab();

  select(tab.ListBox3, u"Zwieback"_qs);
  tab.PopupMenu1.unbookmark->trigger();
  QCOMPARE(f.bookmarks(), "Quarkkuchen\r\nBauernbrot\r\n");
  // The shown list follows, also while its tab is not in front.
  QCOMPARE(texts(tab.ListBox5), (QStringList{u"Bauernbrot"_qs, u"Quarkkuchen"_qs}));

  select(tab.ListBox5, u"Quarkkuchen"_qs);
  tab.PopupMenu3.unbookmark->trigger();
  QCOMPARE(f.bookmarks(), "Bauernbrot\r\n");
  QCOMPARE(texts(tab.ListBox5), QStringList{u"Bauernbrot"_qs});

  f.dir.write("Merklist.dat", "Bauernbrot\nQuarkkuchen");
  f.search(u"brot"_qs);
  select(tab.ListBox4, u"Äpfelbrot"_qs);
  tab.PopupMenu2.unbookmark->trigger();  // not bookmarked: rewritten unchanged
  QCOMPARE(f.bookmarks(), "Bauernbrot\r\nQuarkkuchen\r\n");
  QCOMPARE(texts(tab.ListBox5), (QStringList{u"Bauernbrot"_qs, u"Quarkkuchen"_qs}));

  tab.ListBox4->clearSelection();
  tab.PopupMenu2.unbookmark->trigger();  // nothing selected: nothing happens
  QCOMPARE(f.bookmarks(), "Bauernbrot\r\nQuarkkuchen\r\n");

  std::filesystem::remove(f.dir / "Merklist.dat");
  tab.PopupMenu1.unbookmark->trigger();
  QVERIFY(!f.dir.has("Merklist.dat"));
  QCOMPARE(tab.ListBox5->count(), 0);
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Error), QStringList());
}

void BookmarksTest::unreadableFileIsReportedAndShowsNoNames() {
  Fixture f("Bauernbrot\r\n");
  RecipeTab& tab = f.tab();
  f.main().Merkliste1->trigger();
  QCOMPARE(tab.ListBox5->count(), 1);

  std::filesystem::remove(f.dir / "Merklist.dat");
  std::filesystem::create_directory(f.dir / "Merklist.dat");
  f.main().Merkliste1->trigger();
  QCOMPARE(tab.ListBox5->count(), 0);
  select(tab.ListBox3, u"Zwieback"_qs);
  tab.PopupMenu1.bookmark->trigger();
  tab.PopupMenu1.unbookmark->trigger();
  const QStringList errors = f.prompts().texts(ScriptedPrompts::Kind::Error);
  QCOMPARE(errors.size(), 3);
  for (const QString& error : errors)
    QCOMPARE(error, QString::fromStdString("'" + (f.dir / "Merklist.dat").string()) +
                        u"' ist keine gewöhnliche Datei, sondern etwa ein Ordner, eine Pipe oder ein Gerät"_qs);
  QVERIFY(std::filesystem::is_directory(f.dir / "Merklist.dat"));
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  BookmarksTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "BookmarksTest.moc"
