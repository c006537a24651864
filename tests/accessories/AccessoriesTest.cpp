// The options window and the about window on the program started headless, the user's directories in
// a temporary home.
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <filesystem>

#include "ProgramFixture.h"
#include "accessories/Launcher.h"
#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "store/DeletedRecipes.h"
#include "views/MHU.h"

namespace fs = std::filesystem;
using zestovar::test::readFile;
using zestovar::ui::ScriptedPrompts;

namespace {

fs::path programFile() { return fs::path(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString()); }

}  // namespace

class AccessoriesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void optionsForgetDeletedRecipes();
  void launchersOnTheDesktopAndInTheMenu();
  void aboutWindowKeepsScrollingWhileHidden();

 private:
  QTemporaryDir home_;
};

void AccessoriesTest::initTestCase() {
  QVERIFY(home_.isValid());
  qputenv("HOME", home_.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home_.path() + u"/.config"_qs).toUtf8());
  qputenv("XDG_DATA_HOME", (home_.path() + u"/.local/share"_qs).toUtf8());
}

void AccessoriesTest::optionsForgetDeletedRecipes() {
  zestovar::test::StartedProgram started({{"DelRez.dat", "Linsensuppe\r\nQuenna\r\n"}});
  TForm12& options = started.program.optionsWindow();
  QVERIFY(options.isHidden());
  started.program.mainWindow().Optionen2->trigger();
  QVERIFY(options.isVisible());
  QCOMPARE(options.windowTitle(), u"Quenna's Zestovar - Optionen"_qs);
  QCOMPARE(started.program.deletedRecipes().pairs().size(), 1u);
  options.Button2->click();
  QVERIFY(started.program.deletedRecipes().pairs().empty());
  QCOMPARE(started.read("DelRez.dat"), std::string());
  QVERIFY(started.prompts().shown().isEmpty());

  options.Button1->click();
  QVERIFY(options.isHidden());
}

void AccessoriesTest::launchersOnTheDesktopAndInTheMenu() {
  zestovar::test::StartedProgram started;
  TForm12& options = started.program.optionsWindow();
  const fs::path home = zestovar::test::pathOf(home_);
  const fs::path desktop = home / "Desktop", applications = home / ".local/share/applications";
  QCOMPARE(TForm12::desktopFolder(), desktop);
  QCOMPARE(TForm12::applicationsFolder(), applications);

  // No desktop directory: nothing is made, nothing is said.
  options.Button5->click();
  QVERIFY(!fs::exists(desktop));

  fs::create_directory(desktop);
  options.Button5->click();
  options.Button5->click();
  const fs::path onDesktop = desktop / "Quenna's Zestovar.desktop";
  QCOMPARE(readFile(onDesktop), zestovar::accessories::desktopEntry(programFile().string()));
  QCOMPARE(fs::status(onDesktop).permissions(), static_cast<fs::perms>(0755));
  QCOMPARE(std::distance(fs::directory_iterator(desktop), fs::directory_iterator()), 1);

  // The applications directory is made when missing.
  options.Button6->click();
  QCOMPARE(readFile(applications / "Quenna's Zestovar.desktop"), readFile(onDesktop));
  QCOMPARE(fs::status(applications / "Quenna's Zestovar.desktop").permissions(), static_cast<fs::perms>(0755));

  // A directory that cannot be written to: silent as well.
  fs::remove(onDesktop);
  fs::permissions(desktop, fs::perms::owner_read | fs::perms::owner_exec);
  options.Button5->click();
  fs::permissions(desktop, fs::perms::owner_all);
  QVERIFY(fs::is_empty(desktop) || geteuid() == 0);
  QVERIFY(started.prompts().shown().isEmpty());
}

void AccessoriesTest::aboutWindowKeepsScrollingWhileHidden() {
  zestovar::test::StartedProgram started;
  TInfoForm& about = started.program.aboutWindow();
  TTextPanel& panel = *about.TextPanel1;
  QVERIFY(about.isHidden());
  QCOMPARE(panel.Items().size(), 18);
  QCOMPARE(panel.Items().first(), u"Quenna's Zestovar"_qs);
  QCOMPARE(panel.Items().at(3), about.Label2->text());

  // Hidden since the start, the text moves on.
  QTRY_VERIFY(panel.TopIndex() >= 1);

  // Closed with "OK" in the middle of the text and opened again, it goes on from where it stood: its
  // place (pixels scrolled up) never goes back, and moves no further than the ticks since allow.
  const auto place = [&] { return panel.TopIndex() * panel.LineHeight() - panel.Offset(); };
  started.program.mainWindow().N2->trigger();
  QVERIFY(about.isVisible());
  QVERIFY(QTest::qWaitForWindowExposed(&about));
  QTRY_VERIFY_WITH_TIMEOUT(panel.TopIndex() >= 4 && panel.TopIndex() <= 12, 20000);
  QElapsedTimer clock;
  clock.start();
  const int shown = place();
  QTest::mouseClick(about.Button1, Qt::LeftButton);
  QVERIFY(about.isHidden());
  const int closed = place();
  QTRY_VERIFY(place() > closed);  // the timer runs on while the window is hidden
  const int hidden = place();
  started.program.mainWindow().N2->trigger();
  QVERIFY(QTest::qWaitForWindowExposed(&about));
  const int reopened = place();
  // A coarse timer may fire up to 5 % early.
  const qint64 ticks = clock.elapsed() * 11 / 10 / panel.Interval() + 2;
  QVERIFY2(shown <= closed && closed <= hidden && hidden <= reopened,
           qPrintable(u"%1 %2 %3 %4"_qs.arg(shown).arg(closed).arg(hidden).arg(reopened)));
  QVERIFY2(reopened - shown <= ticks * panel.StepSize(), qPrintable(u"%1 -> %2"_qs.arg(shown).arg(reopened)));

  QTest::mouseClick(about.Label2, Qt::LeftButton);
  QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::OpenUrl), QStringList{about.Label2->text()});
}

QTEST_MAIN(AccessoriesTest)
#include "AccessoriesTest.moc"
