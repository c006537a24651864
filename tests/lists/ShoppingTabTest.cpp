// The shopping tab on the program started headless: the list menus of the three recipe lists, the
// controls of the tab and "EList.dat" byte for byte after every change.
#include <QClipboard>
#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <filesystem>
#include <memory>

#include "PlantedLink.h"
#include "ProgramFixture.h"
#include "StoreFixtures.h"
#include "app/Application.h"
#include "lists/ShoppingTab.h"
#include "lists/VHU.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

using namespace zestovar::test;
using zestovar::lists::ShoppingTab;
using zestovar::ui::ScriptedPrompts;

namespace {

// The program on a bread of both recipe files and a rusk of the main recipe file.
class Fixture : public StartedProgram {
 public:
  explicit Fixture(std::string_view shoppingList = {})
      : StartedProgram([shoppingList](const TempDir& dir) {
          EntryRecords bread = named("Linsenbrot", "Backwaren");
          bread.ingredients = {"250 g Linsen", "1 <Prise> Salz & Pfeffer"};
          // Listed with the desserts, so the start-up listing of "Backwaren" renames nothing.
          EntryRecords update = named("Linsenbrot", "Dessert");
          update.originPair = false;
          update.ingredients = {"1 Zwiebel"};
          dir.write("Zestovar.dat", buildEntry(bread) + buildEntry(named("Zwieback", "Backwaren")));
          dir.write("zsv.dat", buildEntry(update));
          if (!shoppingList.empty()) dir.write("EList.dat", shoppingList);
        }) {}
  ShoppingTab& tab() { return program.shoppingTab(); }
  zestovar::views::RecipeTab& recipeTab() { return recipes(); }
  std::string shoppingList() const { return read("EList.dat"); }
  void removeShoppingList() const { std::filesystem::remove(dir / "EList.dat"); }
};

}  // namespace

class ShoppingTabTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpReadsTheShoppingListWhateverItsSpelling();
  void ingredientsOfTheSelectedNameFromEachList();
  void typedLinesGoInAsOneLine();
  void removingAndEmptying();
  void mergingAsksAboutTheNamesAndCanBeTakenBack();
  void failuresAreReportedAndAddNothing();
  void printingShowsThePageInThePreviewWindow();
  void printLabelTurnsMaroonUnderTheMouseAndOpensThePreview();
};

void ShoppingTabTest::startUpReadsTheShoppingListWhateverItsSpelling() {
  // Lines split at CR LF, a lone CR and a lone LF; an empty line is an item of its own.
  StartedProgram started({{"elist.DAT", "500 g Mehl\r\n\r\n3 \xc4pfel\r1 Zitrone\n"}});

  QVERIFY(started.prompts().shown().isEmpty());
  const QListWidget* list = started.program.shoppingTab().ListBox2;
  QCOMPARE(texts(list), (QStringList{QStringLiteral("500 g Mehl"), QString(), QStringLiteral("3 Äpfel"),
                                     QStringLiteral("1 Zitrone")}));

  StartedProgram startedEmpty;
  QCOMPARE(startedEmpty.program.shoppingTab().ListBox2->count(), 0);
  QVERIFY(!startedEmpty.dir.has("EList.dat"));
}

void ShoppingTabTest::ingredientsOfTheSelectedNameFromEachList() {
  Fixture f;
  zestovar::views::RecipeTab& recipes = f.recipeTab();
  // Nothing selected: nothing added, but the file is written.
  recipes.PopupMenu2.toShoppingList->trigger();
  QVERIFY(f.dir.has("EList.dat"));
  QCOMPARE(f.shoppingList(), "");
  QCOMPARE(f.tab().ListBox2->count(), 0);

  select(recipes.ListBox3, u"Linsenbrot"_qs);
  recipes.PopupMenu1.toShoppingList->trigger();
  const std::string bread = "Linsenbrot\r\n\r\n250 g Linsen\r\n1 <Prise> Salz & Pfeffer\r\n1 Zwiebel\r\n\r\n\r\n";
  QCOMPARE(f.shoppingList(), bread);
  QCOMPARE(
      texts(f.tab().ListBox2),
      (QStringList{u"Linsenbrot"_qs, {}, u"250 g Linsen"_qs, u"1 <Prise> Salz & Pfeffer"_qs, u"1 Zwiebel"_qs, {}, {}}));

  recipes.Edit5->setText(u"Zwieback"_qs);
  recipes.Button3Click();
  select(recipes.ListBox4, u"Zwieback"_qs);
  recipes.PopupMenu2.toShoppingList->trigger();
  const std::string rusk = "Zwieback\r\n\r\n1 kg Kartoffeln\r\n1 l Br\374he\r\n\r\n\r\n";
  QCOMPARE(f.shoppingList(), bread + rusk);

  // A bookmark of a recipe that is gone brings its name and the empty lines.
  f.dir.write("Merklist.dat", "Gel\xf6schter Kuchen\r\n");
  f.main().Merkliste1->trigger();
  select(recipes.ListBox5, u"Gelöschter Kuchen"_qs);
  recipes.PopupMenu3.toShoppingList->trigger();
  recipes.PopupMenu3.toShoppingList->trigger();
  const std::string gone = "Gel\xf6schter Kuchen\r\n\r\n\r\n\r\n";
  QCOMPARE(f.shoppingList(), bread + rusk + gone + gone);
  QCOMPARE(f.tab().ListBox2->count(), 7 + 6 + 4 + 4);
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Error), QStringList());
}

void ShoppingTabTest::typedLinesGoInAsOneLine() {
  Fixture f("Mehl\r\nZucker");
  ShoppingTab& tab = f.tab();
  f.removeShoppingList();
  QTest::mouseClick(tab.Button6, Qt::LeftButton);  // an empty field does nothing
  QVERIFY(!f.dir.has("EList.dat"));

  QTest::keyClicks(tab.Edit6, u"  2 Eier "_qs);
  QTest::mouseClick(tab.Button6, Qt::LeftButton);
  QCOMPARE(f.shoppingList(), "Mehl\r\nZucker\r\n  2 Eier \r\n");
  QCOMPARE(tab.Edit6->text(), QString());

  // The one-line field takes line breaks when they are pasted into it.
  QGuiApplication::clipboard()->setText(u"Milch\r\nButter\n€"_qs);
  tab.Edit6->paste();
  QTest::mouseClick(tab.Button6, Qt::LeftButton);
  QCOMPARE(f.shoppingList(), "Mehl\r\nZucker\r\n  2 Eier \r\nMilch  Butter \x80\r\n");
  QCOMPARE(texts(tab.ListBox2).last(), u"Milch  Butter €"_qs);
}

void ShoppingTabTest::removingAndEmptying() {
  Fixture f("Mehl\r\nZucker\r\nSalz\r\n");
  ShoppingTab& tab = f.tab();
  f.removeShoppingList();
  tab.Entfernen4->trigger();  // nothing selected: nothing happens
  QTest::keyClick(tab.ListBox2, Qt::Key_Delete);
  QVERIFY(!f.dir.has("EList.dat"));
  QCOMPARE(tab.ListBox2->count(), 3);

  tab.ListBox2->setCurrentRow(1);
  tab.Entfernen4->trigger();
  QCOMPARE(texts(tab.ListBox2), (QStringList{u"Mehl"_qs, u"Salz"_qs}));
  QCOMPARE(f.shoppingList(), "Mehl\r\nSalz\r\n");

  tab.ListBox2->setCurrentRow(0);
  QTest::keyClick(tab.ListBox2, Qt::Key_Backspace);  // other keys do nothing
  QCOMPARE(tab.ListBox2->count(), 2);
  QTest::keyClick(tab.ListBox2, Qt::Key_Delete);
  QCOMPARE(texts(tab.ListBox2), QStringList{u"Salz"_qs});
  QCOMPARE(f.shoppingList(), "Salz\r\n");

  QTest::mouseClick(tab.Button7, Qt::LeftButton);
  QCOMPARE(tab.ListBox2->count(), 0);
  QVERIFY(f.dir.has("EList.dat"));
  QCOMPARE(f.shoppingList(), "");
  QVERIFY(f.prompts().shown().isEmpty());
}

void ShoppingTabTest::mergingAsksAboutTheNamesAndCanBeTakenBack() {
  Fixture f("500 g Linsen\r\n");
  ShoppingTab& tab = f.tab();
  QCOMPARE(tab.ButtonRueckgaengig->accessibleName(), u"Rückgängig"_qs);
  QVERIFY(!tab.ButtonRueckgaengig->isEnabled());
  select(f.recipeTab().ListBox3, u"Linsenbrot"_qs);
  f.recipeTab().PopupMenu1.toShoppingList->trigger();
  QTest::keyClicks(tab.Edit6, u"1 zwiebel"_qs);
  QTest::mouseClick(tab.Button6, Qt::LeftButton);
  const std::string before =
      "500 g Linsen\r\nLinsenbrot\r\n\r\n250 g Linsen\r\n1 <Prise> Salz & Pfeffer\r\n1 Zwiebel\r\n\r\n\r\n1 "
      "zwiebel\r\n";
  QCOMPARE(f.shoppingList(), before);
  const std::string merged = "750 g Linsen\r\n1 <Prise> Salz & Pfeffer\r\n2 Zwiebel\r\n";

  f.prompts().answerConfirm(false);  // "Abbrechen": the name and the empty lines stay where they were
  QTest::mouseClick(tab.ButtonZusammenfassen, Qt::LeftButton);
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Confirm),
           QStringList{u"Die Rezeptnamen und Leerzeilen entfernen?"_qs});
  QCOMPARE(f.shoppingList(), "750 g Linsen\r\nLinsenbrot\r\n\r\n1 <Prise> Salz & Pfeffer\r\n2 Zwiebel\r\n\r\n\r\n");
  QVERIFY(tab.ButtonRueckgaengig->isEnabled());
  QTest::mouseClick(tab.ButtonRueckgaengig, Qt::LeftButton);
  QCOMPARE(f.shoppingList(), before);
  QCOMPARE(tab.ListBox2->count(), 9);
  QVERIFY(!tab.ButtonRueckgaengig->isEnabled());

  f.prompts().answerConfirm(true);
  QTest::mouseClick(tab.ButtonZusammenfassen, Qt::LeftButton);
  QCOMPARE(f.shoppingList(), merged);
  QCOMPARE(texts(tab.ListBox2), (QStringList{u"750 g Linsen"_qs, u"1 <Prise> Salz & Pfeffer"_qs, u"2 Zwiebel"_qs}));

  // Any other change ends what can be taken back; a list that adds up no further asks nothing.
  QTest::keyClicks(tab.Edit6, u"Salz"_qs);
  QTest::mouseClick(tab.Button6, Qt::LeftButton);
  QVERIFY(!tab.ButtonRueckgaengig->isEnabled());
  QTest::mouseClick(tab.ButtonZusammenfassen, Qt::LeftButton);
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Confirm).size(), 2);
  QCOMPARE(f.shoppingList(), merged + "Salz\r\n");
  QVERIFY(!tab.ButtonRueckgaengig->isEnabled());
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Error), QStringList());
}

void ShoppingTabTest::failuresAreReportedAndAddNothing() {
  Fixture f("Mehl\r\n");
  f.removeShoppingList();
  std::filesystem::create_directory(f.dir / "EList.dat");
  QTest::keyClicks(f.tab().Edit6, u"Zucker"_qs);
  QTest::mouseClick(f.tab().Button6, Qt::LeftButton);
  const QStringList errors = f.prompts().texts(ScriptedPrompts::Kind::Error);
  QCOMPARE(errors.size(), 1);
  QVERIFY2(errors.front().startsWith(u"E/A-Fehler"_qs), qPrintable(errors.front()));
  // The typed text stays in the field, and no temporary file is left behind.
  QCOMPARE(f.tab().Edit6->text(), u"Zucker"_qs);
  QCOMPARE(f.dir.names(),
           (std::vector<std::string>{"EList.dat", "Image.jpg", "Rezept.htm", "Zestovar.dat", "zsv.dat"}));

  // A recipe file that breaks off inside the walk adds nothing of the block.
  EntryRecords bad = named("Kaputtbrot", "Backwaren");
  bad.n2Text = "viele";
  StartedProgram started(
      {{"Zestovar.dat", buildEntry(named("Linsenbrot", "Backwaren")) + buildEntry(bad)}, {"EList.dat", "Mehl\r\n"}});
  started.prompts().clear();
  select(started.recipes().ListBox3, u"Linsenbrot"_qs);
  started.recipes().PopupMenu1.toShoppingList->trigger();
  QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::Error),
           QStringList{u"'viele' ist kein gültiger Integerwert"_qs});
  QCOMPARE(texts(started.program.shoppingTab().ListBox2), QStringList{u"Mehl"_qs});
  QCOMPARE(started.read("EList.dat"), "Mehl\r\n");
}

void ShoppingTabTest::printingShowsThePageInThePreviewWindow() {
  Fixture f("Linsen\r\n\r\n1 <b>dicke</b> Bohne\r\nSalz & Pfeffer\r\n");
  TForm4& preview = f.program.printPreview();
  QTest::mouseClick(f.tab().Button5, Qt::LeftButton);
  QCOMPARE(f.dir.read("temp.htm"),
           "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n"
           "<p>Linsen</p>\r\n<p></p>\r\n<p>1 <b>dicke</b> Bohne</p>\r\n<p>Salz & Pfeffer</p>\r\n");
  QVERIFY(preview.isVisible());
  QTRY_VERIFY(preview.isActiveWindow());
  QCOMPARE(preview.PrintPage->source().fileName(), u"temp.htm"_qs);
  QVERIFY(preview.PrintPage->toPlainText().contains(u"1 dicke Bohne"_qs));
  // Centred on the main window, give or take the frame, whose width shows only once the window does.
  QVERIFY((preview.frameGeometry().center() - f.main().frameGeometry().center()).manhattanLength() <= 8);
  QCOMPARE(f.shoppingList(), "Linsen\r\n\r\n1 <b>dicke</b> Bohne\r\nSalz & Pfeffer\r\n");

  // Closing hides the window; the next print shows it again with the new page.
  preview.close();
  QVERIFY(!preview.isVisible());
  QTest::mouseClick(f.tab().Button7, Qt::LeftButton);
  QTest::mouseClick(f.tab().Button5, Qt::LeftButton);
  QCOMPARE(f.dir.read("temp.htm"), "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n");
  QVERIFY(preview.isVisible());
  QCOMPARE(preview.PrintPage->toPlainText().simplified(), u"Einkaufsliste"_qs);
  QVERIFY(f.prompts().shown().isEmpty());

  // A link placed under the page's name is replaced by the page, never written through.
  using namespace zestovar::test;
  for (const PlantedLink::To to : {PlantedLink::To::File, PlantedLink::To::Nowhere}) {
    preview.close();
    std::filesystem::remove(f.dir / "temp.htm");
    const PlantedLink link(f.dir / "temp.htm", to);
    QTest::mouseClick(f.tab().Button5, Qt::LeftButton);
    QCOMPARE(link.problems(), std::string());
    QCOMPARE(f.dir.read("temp.htm"), "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n");
    QVERIFY(preview.isVisible());
  }
  QVERIFY(f.prompts().shown().isEmpty());

  // A page that cannot be written is reported, and the window shows nothing new.
  preview.close();
  std::filesystem::remove(f.dir / "temp.htm");
  std::filesystem::create_directory(f.dir / "temp.htm");
  QTest::mouseClick(f.tab().Button5, Qt::LeftButton);
  QCOMPARE(f.prompts().texts(ScriptedPrompts::Kind::Error).size(), 1);
  QVERIFY(!preview.isVisible());
}

void ShoppingTabTest::printLabelTurnsMaroonUnderTheMouseAndOpensThePreview() {
  TempDir dir;
  dir.write("temp.htm", "<p> Einkaufsliste </p>\r\n<p>&nbsp;</p>\r\n<p>Mehl</p>\r\n");
  ScriptedPrompts prompts;
  TForm4 preview(prompts, dir.path());
  preview.showPage(QString::fromStdString((dir / "temp.htm").string()));
  QCOMPARE(preview.Label1->size(), QSize(preview.width(), 41));
  QCOMPARE(preview.Panel1->geometry().bottom(), preview.height() - 1);

  QLabel* label = preview.Label1;
  auto colour = [label] { return label->palette().color(QPalette::WindowText); };
  QCOMPARE(colour(), QColor(Qt::black));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(label, &enter);
  QCOMPARE(colour(), QColor(0x80, 0x00, 0x00));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(label, &leave);
  QCOMPARE(colour(), QColor(Qt::black));

  QTest::mouseClick(label, Qt::RightButton);
  QVERIFY(prompts.shown().isEmpty());
  QTest::mouseClick(label, Qt::LeftButton);
  QCOMPARE(prompts.shown().size(), 1);
  QCOMPARE(prompts.shown().front().kind, ScriptedPrompts::Kind::PrintPreview);
  QVERIFY(prompts.printedBytes() > 0);
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  ShoppingTabTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ShoppingTabTest.moc"
