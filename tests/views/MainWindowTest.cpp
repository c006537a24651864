// The main window's frame started headless on temporary program directories, answered by scripted
// prompts: start-up, the menus, the tabs and the error box.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <filesystem>

#include "ProgramFixture.h"
#include "ScriptedPrompts.h"
#include "StoreFixtures.h"
#include "app/Application.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "store/DeletedRecipes.h"
#include "store/RecipeStore.h"
#include "ui/TextCodec.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

using namespace zestovar::test;
using zestovar::ui::ScriptedPrompts;
namespace fs = std::filesystem;

namespace {

void addRecipes(const fs::path& dir, const std::string& category, const QStringList& names) {
  zestovar::store::RecipeStore store(dir);
  for (const QString& name : names) {
    zestovar::store::NewRecipe recipe;
    recipe.category = category;
    recipe.subcategories = {zestovar::store::subcategoriesSorted(category).front()};
    recipe.name = zestovar::ui::toCp1252(name);
    recipe.ingredients = {"1 Prise Salz"};
    recipe.preparation = "Umr\xfchren.";
    recipe.author = "Quenna";
    recipe.persons = "2";
    store.appendEntry(recipe);
  }
}

QStringList asQt(const std::vector<std::string>& cp1252) {
  QStringList texts;
  for (const std::string& text : cp1252) texts.append(zestovar::ui::fromCp1252(text));
  return texts;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpInEmptyDirectoryCreatesRecipeFilesAndShowsBackwaren();
  void startUpReadsDeletedListWhateverItsSpellingAndListsBackwaren();
  void failingStepShowsErrorAndLaterStepsStillRun();
  void listingErrorKeepsNamesFoundBeforeIt();
  void categoryMenuSwitchesToBrowseTab();
  void onlyTabSwitchesByHandRunTheChangeHandling();
  void moreThanTwentyNamesBringLetterItemsInToolOrder();
};

void MainWindowTest::startUpInEmptyDirectoryCreatesRecipeFilesAndShowsBackwaren() {
  StartedProgram started;
  TForm1& form = started.main();
  zestovar::views::RecipeTab& tab = started.recipes();

  QVERIFY(started.prompts().shown().isEmpty());
  for (const char* name : {"zsv.dat", "Zestovar.dat"}) {
    const fs::path file = started.dir / name;
    QVERIFY2(fs::exists(file), name);
    QCOMPARE(fs::file_size(file), 0u);
  }
  QCOMPARE(form.windowTitle(), QStringLiteral("Quenna's Zestovar"));
  QCOMPARE(tab.ComboBox1->currentText(), QStringLiteral("Backwaren"));
  QCOMPARE(texts(tab.CheckListBox1), asQt(zestovar::store::subcategoriesSorted("Backwaren")));
  for (int i = 0; i < tab.CheckListBox1->count(); ++i) QCOMPARE(tab.CheckListBox1->item(i)->checkState(), Qt::Checked);
  QCOMPARE(tab.ListBox3->count(), 0);
  QVERIFY(started.program.deletedRecipes().pairs().empty());
  QVERIFY(tab.WebBrowser1->isBlank());
  QCOMPARE(form.PageControl1->currentIndex(), 0);
  QCOMPARE(tab.PageControl2->currentIndex(), 0);

  const QStringList tabs = {QStringLiteral("Rezept"), QStringLiteral("Datenbank updaten"),
                            QStringLiteral("Datenbank online stellen"), QStringLiteral("Hinzufügen"),
                            QStringLiteral("Einkaufsliste")};
  for (int i = 0; i < tabs.size(); ++i) QCOMPARE(form.PageControl1->tabText(i), tabs[i]);
}

void MainWindowTest::startUpReadsDeletedListWhateverItsSpellingAndListsBackwaren() {
  StartedProgram started([](const TempDir& dir) {
    dir.write("delrez.DAT", "Apfelkuchen\r\nQuenna\r\n");
    addRecipes(dir.path(), "Backwaren", {QStringLiteral("Zimtschnecken"), QStringLiteral("apfelkuchen")});
    addRecipes(dir.path(), "Suppe", {QStringLiteral("Linsensuppe")});
  });

  QVERIFY(started.prompts().shown().isEmpty());
  const std::vector<zestovar::store::DeletedRecipe> deleted = started.program.deletedRecipes().pairs();
  QCOMPARE(deleted.size(), 1u);
  QCOMPARE(deleted[0].name, std::string("Apfelkuchen"));
  QCOMPARE(deleted[0].author, std::string("Quenna"));
  QCOMPARE(texts(started.program.recipeTab().ListBox3),
           (QStringList{QStringLiteral("apfelkuchen"), QStringLiteral("Zimtschnecken")}));
}

void MainWindowTest::failingStepShowsErrorAndLaterStepsStillRun() {
  StartedProgram started([](const TempDir& dir) {
    fs::create_directory(dir / "zsv.dat");
    dir.write("DelRez.dat", "Brot\r\nQuenna\r\n");
  });

  const QStringList errors = started.prompts().texts(ScriptedPrompts::Kind::Error);
  QVERIFY(!errors.isEmpty());
  QCOMPARE(started.prompts().shown().constFirst().title, QStringLiteral("Quenna's Zestovar"));
  QCOMPARE(started.program.deletedRecipes().pairs().size(), 1u);
  QCOMPARE(started.program.recipeTab().CheckListBox1->count(), 6);
  QCOMPARE(started.program.recipeTab().currentCategory(), std::string("Backwaren"));
}

void MainWindowTest::listingErrorKeepsNamesFoundBeforeIt() {
  StartedProgram started([](const TempDir& dir) {
    addRecipes(dir.path(), "Backwaren", {QStringLiteral("Brot")});
    fs::rename(dir / "Zestovar.dat", dir / "zsv.dat");
    EntryRecords broken = named("Kaputt", "Backwaren");
    broken.n1Text = "zwei";
    dir.write("Zestovar.dat", buildEntry(broken));
  });
  TForm1& form = started.program.mainWindow();
  const QListWidget* browse = started.program.recipeTab().ListBox3;
  const QStringList found = {QStringLiteral("Brot"), QStringLiteral("Kaputt")};

  QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::Error),
           QStringList{QStringLiteral("'zwei' ist kein gültiger Integerwert")});
  QCOMPARE(texts(browse), found);

  // The same from a menu entry: its handler shows the error, the window stays usable.
  form.Einkaufsliste1->trigger();
  form.Backwaren1->trigger();
  QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::Error).size(), 2);
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabRecipe));
  QCOMPARE(texts(browse), found);
}

void MainWindowTest::categoryMenuSwitchesToBrowseTab() {
  StartedProgram started([](const TempDir& dir) {
    addRecipes(dir.path(), "Suppe", {QStringLiteral("Kartoffelsuppe")});
    addRecipes(dir.path(), "Backwaren", {QStringLiteral("Brot")});
  });
  TForm1& form = started.program.mainWindow();
  zestovar::views::RecipeTab& tab = started.program.recipeTab();
  form.Einkaufsliste1->trigger();
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabShopping));
  form.Suchen1->trigger();
  QCOMPARE(tab.PageControl2->currentWidget(), tab.TabSheet7);
  form.Einkaufsliste1->trigger();

  form.Suppen1->trigger();
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabRecipe));
  QCOMPARE(tab.PageControl2->currentWidget(), tab.TabSheet6);
  QCOMPARE(tab.ComboBox1->currentText(), QStringLiteral("Suppe"));
  QCOMPARE(texts(tab.ListBox3), QStringList{QStringLiteral("Kartoffelsuppe")});
  QCOMPARE(texts(tab.CheckListBox1), asQt(zestovar::store::subcategoriesSorted("Suppe")));

  form.Getrnke1->trigger();
  QCOMPARE(tab.currentCategory(), std::string("Getr\xe4nke"));
  form.Hilfe1->trigger();
  QVERIFY(started.prompts().shown().isEmpty());
}

void MainWindowTest::onlyTabSwitchesByHandRunTheChangeHandling() {
  StartedProgram started;
  TForm1& form = started.main();
  QTabWidget* inner = started.program.recipeTab().PageControl2;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QSignalSpy mainChanges(form.PageControl1, &QTabWidget::currentChanged);
  QSignalSpy innerChanges(inner, &QTabWidget::currentChanged);

  for (QAction* entry : {form.Updaten1, form.Rezepteonlinestellen1, form.Hinzufgen1, form.Einkaufsliste1, form.Suchen1,
                         form.Merkliste1, form.Backwaren1})
    entry->trigger();
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabRecipe));
  QCOMPARE(mainChanges.count(), 0);
  QCOMPARE(innerChanges.count(), 0);

  QTabBar* tabs = form.PageControl1->tabBar();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TForm1::kTabUpdate).center());
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabUpdate));
  QCOMPARE(mainChanges.count(), 1);
  form.Merkliste1->trigger();
  QCOMPARE(inner->currentWidget(), started.program.recipeTab().TabSheet8);
  QCOMPARE(mainChanges.count(), 1);
  QCOMPARE(innerChanges.count(), 0);
  const int search = inner->indexOf(started.program.recipeTab().TabSheet7);
  QTest::mouseClick(inner->tabBar(), Qt::LeftButton, {}, inner->tabBar()->tabRect(search).center());
  QCOMPARE(inner->currentIndex(), search);
  QCOMPARE(innerChanges.count(), 1);
}

void MainWindowTest::moreThanTwentyNamesBringLetterItemsInToolOrder() {
  QStringList names;
  for (int i = 0; i < 21; ++i) names.append(QStringLiteral("%1 Brot %2").arg(QChar(u'A' + i % 3)).arg(i));
  names.append(QStringLiteral("Ährenbrot"));
  StartedProgram started([&names](const TempDir& dir) { addRecipes(dir.path(), "Backwaren", names); });
  const QListWidget* browse = started.program.recipeTab().ListBox3;

  QCOMPARE(browse->count(), 22 + 26);
  QCOMPARE(browse->item(0)->text(), QStringLiteral("A"));
  zestovar::store::RecipeStore store(started.dir.path());
  QCOMPARE(texts(browse), asQt(store.browseList("Backwaren")));
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
