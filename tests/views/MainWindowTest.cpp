// The main window started headless on temporary program directories, answered by scripted prompts.
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "ScriptedPrompts.h"
#include "StoreFixtures.h"
#include "app/Application.h"
#include "app/TextCodec.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/RecipeStore.h"
#include "views/MHU.h"
#include "views/Splash.h"

using zestovar::app::ScriptedPrompts;
namespace fs = std::filesystem;

namespace {

fs::path pathOf(const QTemporaryDir& dir) { return fs::path(dir.path().toStdString()); }

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

void addRecipes(const fs::path& dir, const std::string& category, const QStringList& names) {
  zestovar::store::RecipeStore store(dir);
  for (const QString& name : names) {
    zestovar::store::NewRecipe recipe;
    recipe.category = category;
    recipe.subcategories = {zestovar::store::subcategoriesSorted(category).front()};
    recipe.name = zestovar::app::toCp1252(name);
    recipe.ingredients = {"1 Prise Salz"};
    recipe.preparation = "Umr\xfchren.";
    recipe.author = "Quenna";
    recipe.persons = "2";
    store.appendEntry(recipe);
  }
}

QStringList itemTexts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts.append(list->item(i)->text());
  return texts;
}

QStringList asQt(const std::vector<std::string>& cp1252) {
  QStringList texts;
  for (const std::string& text : cp1252) texts.append(zestovar::app::fromCp1252(text));
  return texts;
}

// An object whose handler fails, as a store error does in the middle of a user action.
class FailingObject : public QObject {
 public:
  bool handled = false;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw zestovar::store::StoreError("Datei f\xc3\xbcr Rezepte fehlt");
    if (event->type() == QEvent::User + 1) handled = true;
    return QObject::event(event);
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpInEmptyDirectoryCreatesRecipeFilesAndShowsBackwaren();
  void startUpReadsShoppingAndDeletedListsWhateverTheirSpelling();
  void startUpListsTheBackwarenRecipes();
  void failingStepShowsErrorAndLaterStepsStillRun();
  void listingErrorKeepsNamesFoundBeforeIt();
  void errorEscapingHandlerIsShownAndProgramKeepsRunning();
  void categoryMenuSwitchesToBrowseTab();
  void typedTextThatIsNoCategoryEmptiesBothLists();
  void moreThanTwentyNamesBringLetterItemsInToolOrder();
  void pageViewerReadsPagesAnewAndStaysInProgramDirectory();
  void splashHidesAfterItsWait();
  void unansweredQuestionIsRecordedNotBlocking();
};

void MainWindowTest::startUpInEmptyDirectoryCreatesRecipeFilesAndShowsBackwaren() {
  QTemporaryDir dir;
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);

  QVERIFY(prompts.shown().isEmpty());
  for (const char* name : {"zsv.dat", "Zestovar.dat"}) {
    const fs::path file = pathOf(dir) / name;
    QVERIFY2(fs::exists(file), name);
    QCOMPARE(fs::file_size(file), 0u);
  }
  QCOMPARE(form.windowTitle(), QStringLiteral("Quenna's Zestovar"));
  QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("Backwaren"));
  QCOMPARE(form.currentCategory(), std::string("Backwaren"));
  QCOMPARE(itemTexts(form.CheckListBox1), asQt(zestovar::store::subcategoriesSorted("Backwaren")));
  QCOMPARE(form.CheckListBox1->count(), 6);
  for (int i = 0; i < form.CheckListBox1->count(); ++i)
    QCOMPARE(form.CheckListBox1->item(i)->checkState(), Qt::Checked);
  QCOMPARE(form.ListBox3->count(), 0);
  QCOMPARE(form.ListBox2->count(), 0);
  QVERIFY(form.deletedRecipes().empty());
  QCOMPARE(form.subcategoryTable().size(), 67u);
  QCOMPARE(form.version(), QStringLiteral("3.0"));
  QVERIFY(form.WebBrowser1->isBlank());
  QCOMPARE(form.PageControl1->currentIndex(), 0);
  QCOMPARE(form.PageControl2->currentIndex(), 0);
  QVERIFY(!form.defaultPicture().isEmpty());

  const QStringList tabs = {QStringLiteral("Rezept"), QStringLiteral("Datenbank updaten"),
                            QStringLiteral("Datenbank online stellen"), QStringLiteral("Hinzufügen"),
                            QStringLiteral("Einkaufsliste")};
  for (int i = 0; i < tabs.size(); ++i) QCOMPARE(form.PageControl1->tabText(i), tabs[i]);
  QCOMPARE(form.ComboBox5->currentText(), QStringLiteral("2"));
  QCOMPARE(form.ComboBox5->count(), 50);
  QCOMPARE(form.ComboBox4->count(), 23);
  QCOMPARE(form.ComboBox4->currentText(), QStringLiteral("keine Angabe"));
  QCOMPARE(form.ComboBox3->currentText(), QStringLiteral("Kategorie wählen"));

  const char* widgets[] = {
      "MainMenu1",    "StatusBar1",   "StatusPanel1", "PageControl1", "TabSheet1",     "TabSheet2",    "TabSheet3",
      "TabSheet4",    "TabSheet5",    "Panel1",       "PageControl2", "TabSheet6",     "TabSheet7",    "TabSheet8",
      "WebBrowser1",  "ComboBox1",    "SpeedButton1", "Splitter1",    "CheckListBox1", "ListBox3",     "Edit5",
      "ComboBox2",    "RadioGroup1",  "RadioButton8", "RadioButton9", "Button3",       "Splitter2",    "ListBox4",
      "ListBox5",     "PopupMenu1",   "PopupMenu2",   "PopupMenu3",   "ListView2",     "BitBtn1",      "BitBtn2",
      "BitBtn3",      "BitBtn4",      "Panel2",       "BitBtn8",      "GroupBox1",     "RadioButton7", "RadioButton1",
      "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5", "RadioButton6",  "SpeedButton3", "CheckListBox2",
      "ListView3",    "BitBtn5",      "BitBtn6",      "BitBtn7",      "Label1",        "Edit4",        "Label2",
      "Edit3",        "Label3",       "ComboBox5",    "Label6",       "Label7",        "Memo3",        "Label8",
      "Memo2",        "Label9",       "ComboBox3",    "Label10",      "CheckListBox3", "Label11",      "ComboBox4",
      "Label12",      "Image1",       "BitBtn9",      "BitBtn11",     "BitBtn10",      "ListBox2",     "PopupMenu4",
      "Label13",      "Edit6",        "Button6",      "Button5",      "Button7"};
  for (const char* name : widgets) {
    const auto* widget = form.findChild<QWidget*>(QLatin1String(name));
    QVERIFY2(widget != nullptr, name);
    QVERIFY2(!widget->accessibleName().isEmpty(), name);
  }
  const char* actions[] = {"Drucken1",
                           "Beenden1",
                           "Vorspeise1",
                           "Suppen1",
                           "Hauptgerichte1",
                           "Backwaren1",
                           "Dessert1",
                           "Getrnke1",
                           "Suchen1",
                           "AlseMailversenden1",
                           "Proxy1",
                           "Optionen2",
                           "Updaten1",
                           "Rezepteonlinestellen1",
                           "Einkaufsliste1",
                           "Hinzufgen1",
                           "Merkliste1",
                           "Hilfe1",
                           "N2",
                           "Entfernen1",
                           "ndern2",
                           "AufdieMerklistesetzen3",
                           "VonderMerklistelschen1",
                           "ZutatenzurEinkaufslistehinzufgen2",
                           "Entfernen4"};
  for (const char* name : actions) QVERIFY2(form.findChild<QAction*>(QLatin1String(name)) != nullptr, name);
  QCOMPARE(form.Entfernen4->text(), QStringLiteral("entfernen"));
  QCOMPARE(form.PopupMenu3.toShoppingList->text(), QStringLiteral("Zutaten zur Einkaufsliste hinzufügen"));
}

void MainWindowTest::startUpReadsShoppingAndDeletedListsWhateverTheirSpelling() {
  QTemporaryDir dir;
  writeFile(pathOf(dir) / "elist.DAT", "500 g Mehl\r\n\r\n3 \xc4pfel\r\n");
  writeFile(pathOf(dir) / "DelRez.dat", "Apfelkuchen\r\nQuenna\r\n");
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);

  QVERIFY(prompts.shown().isEmpty());
  QCOMPARE(itemTexts(form.ListBox2), (QStringList{QStringLiteral("500 g Mehl"), QString(), QStringLiteral("3 Äpfel")}));
  QCOMPARE(form.deletedRecipes(), (std::vector<std::string>{"Apfelkuchen", "Quenna"}));
}

void MainWindowTest::startUpListsTheBackwarenRecipes() {
  QTemporaryDir dir;
  addRecipes(pathOf(dir), "Backwaren", {QStringLiteral("Zimtschnecken"), QStringLiteral("apfelkuchen")});
  addRecipes(pathOf(dir), "Suppe", {QStringLiteral("Linsensuppe")});
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);

  QVERIFY(prompts.shown().isEmpty());
  QCOMPARE(itemTexts(form.ListBox3), (QStringList{QStringLiteral("apfelkuchen"), QStringLiteral("Zimtschnecken")}));
}

void MainWindowTest::failingStepShowsErrorAndLaterStepsStillRun() {
  QTemporaryDir dir;
  fs::create_directory(pathOf(dir) / "zsv.dat");
  writeFile(pathOf(dir) / "DelRez.dat", "Brot\r\nQuenna\r\n");
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);

  // Opening the update recipe file fails, and so does the listing that needs it.
  const QStringList errors = prompts.texts(ScriptedPrompts::Kind::Error);
  QVERIFY(!errors.isEmpty());
  QCOMPARE(prompts.shown().constFirst().title, QStringLiteral("Quenna's Zestovar"));
  QCOMPARE(form.deletedRecipes().size(), 2u);
  QCOMPARE(form.CheckListBox1->count(), 6);
  QCOMPARE(form.currentCategory(), std::string("Backwaren"));
}

void MainWindowTest::listingErrorKeepsNamesFoundBeforeIt() {
  QTemporaryDir dir;
  addRecipes(pathOf(dir), "Backwaren", {QStringLiteral("Brot")});
  fs::rename(pathOf(dir) / "Zestovar.dat", pathOf(dir) / "zsv.dat");
  // The main recipe file's first entry has an ingredient count that is no number.
  zestovar::test::EntryRecords broken = zestovar::test::named("Kaputt", "Backwaren");
  broken.n1Text = "zwei";
  writeFile(pathOf(dir) / "Zestovar.dat", zestovar::test::buildEntry(broken));
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);

  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
           QStringList{QStringLiteral("'zwei' ist kein gültiger Integerwert")});
  QCOMPARE(itemTexts(form.ListBox3), (QStringList{QStringLiteral("Brot"), QStringLiteral("Kaputt")}));

  // The same from a menu entry: its handler shows the error, the window stays usable.
  form.Einkaufsliste1->trigger();
  form.Backwaren1->trigger();
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error).size(), 2);
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabRecipe));
  QCOMPARE(itemTexts(form.ListBox3), (QStringList{QStringLiteral("Brot"), QStringLiteral("Kaputt")}));
}

void MainWindowTest::errorEscapingHandlerIsShownAndProgramKeepsRunning() {
  auto* app = qobject_cast<zestovar::app::Application*>(QCoreApplication::instance());
  QVERIFY(app != nullptr);
  ScriptedPrompts prompts;
  app->setPrompts(&prompts);

  FailingObject object;
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&object, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
  QCoreApplication::sendPostedEvents(&object);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error), QStringList{QStringLiteral("Datei für Rezepte fehlt")});
  QVERIFY(object.handled);

  // The application keeps handling events after the error.
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  QCoreApplication::sendPostedEvents(&object);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error).size(), 2);
  app->setPrompts(nullptr);
}

void MainWindowTest::categoryMenuSwitchesToBrowseTab() {
  QTemporaryDir dir;
  addRecipes(pathOf(dir), "Suppe", {QStringLiteral("Kartoffelsuppe")});
  addRecipes(pathOf(dir), "Backwaren", {QStringLiteral("Brot")});
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);
  form.Einkaufsliste1->trigger();
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabShopping));
  form.Suchen1->trigger();
  QCOMPARE(form.PageControl2->currentIndex(), int(TForm1::kInnerSearch));
  form.Einkaufsliste1->trigger();

  form.Suppen1->trigger();
  QCOMPARE(form.PageControl1->currentIndex(), int(TForm1::kTabRecipe));
  QCOMPARE(form.PageControl2->currentIndex(), int(TForm1::kInnerRecipe));
  QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("Suppe"));
  QCOMPARE(itemTexts(form.ListBox3), QStringList{QStringLiteral("Kartoffelsuppe")});
  QCOMPARE(itemTexts(form.CheckListBox1), asQt(zestovar::store::subcategoriesSorted("Suppe")));

  form.Getrnke1->trigger();
  QCOMPARE(form.currentCategory(), std::string("Getr\xe4nke"));
  QCOMPARE(
      itemTexts(form.CheckListBox1),
      (QStringList{QStringLiteral("Bowle"), QStringLiteral("Cocktails"), QStringLiteral("Shakes"),
                   QStringLiteral("Sonstiges"), QStringLiteral("unalk_Bowle"), QStringLiteral("unalk_Cocktails")}));
  form.Hilfe1->trigger();
  QVERIFY(prompts.shown().isEmpty());
}

void MainWindowTest::typedTextThatIsNoCategoryEmptiesBothLists() {
  QTemporaryDir dir;
  addRecipes(pathOf(dir), "Backwaren", {QStringLiteral("Brot")});
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);
  QCOMPARE(form.ListBox3->count(), 1);

  QLineEdit* edit = form.ComboBox1->lineEdit();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("Kuchen"));
  QCOMPARE(form.currentCategory(), std::string("Kuchen"));
  QCOMPARE(form.CheckListBox1->count(), 0);
  QCOMPARE(form.ListBox3->count(), 0);
  QVERIFY(prompts.shown().isEmpty());
}

void MainWindowTest::moreThanTwentyNamesBringLetterItemsInToolOrder() {
  QTemporaryDir dir;
  QStringList names;
  for (int i = 0; i < 21; ++i) names.append(QStringLiteral("%1 Brot %2").arg(QChar(u'A' + i % 3)).arg(i));
  names.append(QStringLiteral("Ährenbrot"));
  addRecipes(pathOf(dir), "Backwaren", names);
  ScriptedPrompts prompts;
  TForm1 form(pathOf(dir), prompts);

  QCOMPARE(form.ListBox3->count(), 22 + 26);
  QCOMPARE(form.ListBox3->item(0)->text(), QStringLiteral("A"));
  zestovar::store::RecipeStore store(pathOf(dir));
  QCOMPARE(itemTexts(form.ListBox3), asQt(store.browseList("Backwaren")));
}

void MainWindowTest::pageViewerReadsPagesAnewAndStaysInProgramDirectory() {
  QTemporaryDir dir;
  QTemporaryDir elsewhere;
  zestovar::views::PageViewer viewer;
  viewer.setProgramDir(dir.path());
  const fs::path page = pathOf(dir) / "Rezept.htm";

  writeFile(page,
            "<b>Gr\xfc\xdf"
            "e</b>");
  viewer.showFile(QString::fromStdString(page.string()));
  QCOMPARE(viewer.toPlainText(), QStringLiteral("Grüße"));
  writeFile(page, "<b>Neu</b>");
  viewer.showFile(QString::fromStdString(page.string()));
  QCOMPARE(viewer.toPlainText(), QStringLiteral("Neu"));

  const fs::path outside = pathOf(elsewhere) / "Rezept.htm";
  writeFile(outside, "<b>Fremd</b>");
  viewer.showFile(QString::fromStdString(outside.string()));
  QCOMPARE(viewer.toPlainText(), QString());
  writeFile(page, "<a href=\"../x.htm\">weg</a>");
  viewer.showFile(QString::fromStdString(page.string()));
  QCOMPARE(viewer.openLinks(), false);

  viewer.blank();
  QVERIFY(viewer.isBlank());
  QCOMPARE(viewer.toPlainText(), QString());
}

void MainWindowTest::splashHidesAfterItsWait() {
  TForm11 splash(0);
  QVERIFY(!splash.isVisible());
  QCOMPARE(splash.size(), QSize(368, 225));
}

void MainWindowTest::unansweredQuestionIsRecordedNotBlocking() {
  ScriptedPrompts prompts;
  prompts.answerConfirm(true);
  QVERIFY(prompts.confirm(QStringLiteral("Bestätigung"), QStringLiteral("Weiter?")));
  QCOMPARE(prompts.input(QStringLiteral("Rezept verschicken"), QStringLiteral("Ihr Name:"), QStringLiteral("Name")),
           std::nullopt);
  QCOMPARE(prompts.unexpected().size(), 1);
  QCOMPARE(prompts.shown().size(), 2);
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
