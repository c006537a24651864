// The recipe editor tab and "Entfernen" of the three list menus, on a program started headless on a
// temporary program directory; every box is answered by the scripted prompts.
#include <QApplication>
#include <QSet>
#include <QTest>

#include "EditingFixture.h"
#include "app/Application.h"
#include "store/Categories.h"
#include "store/DeletedRecipes.h"
#include "ui/TextCodec.h"

using zestovar::test::choose;
using zestovar::test::EntryRecords;
using zestovar::test::Kind;
using zestovar::test::tick;

namespace {

const QString kNoCategory = u"Bitte eine Kategorie wählen."_qs;
const QString kNameTaken = u"Name schon vorhanden. Bitte anderen Namen wählen."_qs;
const QString kSaved = u"Rezept gespeichert"_qs;

EntryRecords entry(const std::string& name, const std::string& category, const std::string& author = "Quenna") {
  EntryRecords e = zestovar::test::named(name, category);
  e.author = author;
  return e;
}

// The left edges of the items as the list shows them, one for each column.
QSet<int> columnEdges(const QListWidget* list) {
  QSet<int> edges;
  for (int i = 0; i < list->count(); ++i) edges.insert(list->visualItemRect(list->item(i)).left());
  return edges;
}

}  // namespace

class EditorTabTest : public QObject {
  Q_OBJECT

 private slots:
  void startValuesAndTheCategoryFillingItsSubcategoriesInColumns();
  void savedRecipeIsAppendedByteForByteAndTheEditorReset();
  void checksRefuseAndKeepTheFields();
  void pictureThatCannotBeShownKeepsItsPathAndIsStored();
  void deletingFromEachListRemembersThePairAlsoWhenItFails();
};

void EditorTabTest::startValuesAndTheCategoryFillingItsSubcategoriesInColumns() {
  zestovar::test::Editing f;
  auto& editor = f.editor();
  QCOMPARE(editor.ComboBox5->currentText(), QStringLiteral("2"));
  QCOMPARE(editor.ComboBox5->count(), 50);
  QCOMPARE(editor.ComboBox3->currentText(), QStringLiteral("Kategorie wählen"));
  // The origins in the order of the recipe lists: an umlaut sorts with its letter.
  QCOMPARE(editor.ComboBox4->count(), 23);
  QCOMPARE(editor.ComboBox4->currentText(), QStringLiteral("keine Angabe"));
  const int austrian = editor.ComboBox4->findText(QStringLiteral("österreichisch"));
  QCOMPARE(editor.ComboBox4->itemText(austrian - 1), QStringLiteral("lateinamerikanisch"));
  QCOMPARE(editor.ComboBox4->itemText(austrian + 1), QStringLiteral("polnisch"));

  f.main().show();
  f.main().showTab(zestovar::ui::MainWindow::kTabEditor);
  QApplication::processEvents();

  choose(editor.ComboBox3, u"Hauptgericht"_qs);
  QCOMPARE(editor.CheckListBox3->count(), int(zestovar::store::subcategoriesSorted("Hauptgericht").size()));
  QCOMPARE(editor.CheckListBox3->item(0)->text(), u"Auflauf"_qs);
  QCOMPARE(columnEdges(editor.CheckListBox3).size(), 2);
  const QRect first = editor.CheckListBox3->visualItemRect(editor.CheckListBox3->item(0));
  QCOMPARE(editor.CheckListBox3->visualItemRect(editor.CheckListBox3->item(1)).top(), first.top());
  choose(editor.ComboBox3, u"Getränke"_qs);
  QVERIFY(editor.CheckListBox3->count() > 1);
  QCOMPARE(columnEdges(editor.CheckListBox3).size(), 1);
  // Typed, the category fills the list as well; its names come unticked.
  editor.ComboBox3->lineEdit()->selectAll();
  QTest::keyClicks(editor.ComboBox3->lineEdit(), QStringLiteral("Suppe"));
  QCOMPARE(zestovar::test::texts(editor.CheckListBox3),
           (QStringList{u"Eingekochtes"_qs, u"Sonstiges"_qs, u"Suppen"_qs}));
  QVERIFY(zestovar::test::ticked(editor.CheckListBox3).isEmpty());
  QCOMPARE(columnEdges(editor.CheckListBox3).size(), 2);

  // A category is compared with its letter case: "suppe" is none.
  editor.ComboBox3->lineEdit()->clear();
  QTest::keyClicks(editor.ComboBox3->lineEdit(), QStringLiteral("suppe"));
  QCOMPARE(editor.CheckListBox3->count(), 0);
  editor.BitBtn10->click();
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{kNoCategory});
  QCOMPARE(f.read("Zestovar.dat"), std::string(""));
  f.main().hide();
}

void EditorTabTest::savedRecipeIsAppendedByteForByteAndTheEditorReset() {
  const std::string bread = zestovar::test::buildEntry(entry("Bauernbrot", "Backwaren"));
  zestovar::test::Editing f(bread);
  auto& editor = f.editor();
  const QStringList browsed = zestovar::test::texts(f.recipes().ListBox3);

  choose(editor.ComboBox3, u"Hauptgericht"_qs);
  tick(editor.CheckListBox3, u"Wild"_qs);
  tick(editor.CheckListBox3, u"Rind"_qs);
  QTest::keyClicks(editor.Edit4, u"Gulasch vom Hirsch"_qs);
  QTest::keyClicks(editor.Edit3, u"Quenna"_qs);
  editor.ComboBox5->setCurrentIndex(editor.ComboBox5->findText(u"6"_qs));
  editor.ComboBox4->setCurrentIndex(editor.ComboBox4->findText(u"ungarisch"_qs));
  editor.Memo3->insertPlainText(u"1 kg Hirschfleisch\n3 Zwiebeln\n"_qs);
  editor.Memo2->insertPlainText(u"Fleisch würfeln und \nanbraten.\nZugedeckt schmoren "_qs);
  // The first click into a memo keeps what was typed; only a memo at its start value is emptied.
  QTest::mouseClick(editor.Memo3->viewport(), Qt::LeftButton);
  QTest::mouseClick(editor.Memo2->viewport(), Qt::LeftButton);
  QCOMPARE(editor.Memo3->toPlainText(), u"1 kg Hirschfleisch\n3 Zwiebeln\n"_qs);

  f.prompts().answerPicture(QString::fromStdString(zestovar::test::recipePicture().string()));
  editor.BitBtn9->click();
  QCOMPARE(editor.picturePath(), QString::fromStdString(zestovar::test::recipePicture().string()));
  QVERIFY(!f.prompts().preview().isNull());
  QVERIFY(!editor.Image1->pixmap().isNull());
  QVERIFY(editor.Image1->pixmap().width() <= editor.Image1->width());

  QTest::keyClick(editor.Edit4, Qt::Key_Return);
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{kSaved});
  QVERIFY(f.prompts().unexpected().isEmpty());

  EntryRecords expected = entry("Gulasch vom Hirsch", "Hauptgericht");
  expected.subcategories = " Rind Wild";
  expected.origin = "ungarisch";
  expected.ingredients = {"1 kg Hirschfleisch", "3 Zwiebeln"};
  expected.preparation = "Fleisch w\xfcrfeln und\r\r\nanbraten.\r\nZugedeckt schmoren\r\r\n";
  expected.persons = "6";
  expected.pictureKind = EntryRecords::Picture::Bytes;
  expected.picture = zestovar::test::readFile(zestovar::test::recipePicture());
  QCOMPARE_RECORDS(f.read("Zestovar.dat"), bread + zestovar::test::buildEntry(expected));

  zestovar::test::verifyReset(editor.form(), u"Name der Rezepts"_qs, u"ungarisch"_qs);
  if (QTest::currentTestFailed()) return;
  QCOMPARE(zestovar::test::texts(f.recipes().ListBox3), browsed);
}

void EditorTabTest::checksRefuseAndKeepTheFields() {
  const std::string fifty(50, 'K');
  zestovar::test::Editing f(zestovar::test::buildEntry(entry(fifty, "Dessert")),
                            zestovar::test::buildEntry(entry("Gulasch", "Hauptgericht")));
  auto& editor = f.editor();
  // Enter in the persons box saves as in the other fields of one line.
  editor.ComboBox5->setFocus();
  QTest::keyClick(editor.ComboBox5, Qt::Key_Return);
  choose(editor.ComboBox3, u"Hauptgericht"_qs);
  editor.BitBtn10->click();
  tick(editor.CheckListBox3, u"Rind"_qs);
  QTest::keyClicks(editor.Edit4, u"Gulasch"_qs);
  editor.BitBtn10->click();
  // A name that differs only after its 50th character is the same name once stored.
  editor.Edit4->setText(QString::fromLatin1(fifty) + u"uchen"_qs);
  editor.BitBtn10->click();
  QCOMPARE(f.prompts().texts(Kind::Message), (QStringList{kNoCategory, kNoCategory, kNameTaken, kNameTaken}));
  QCOMPARE(zestovar::test::ticked(editor.CheckListBox3), QStringList{u"Rind"_qs});
  QCOMPARE(editor.ComboBox3->currentText(), u"Hauptgericht"_qs);

  // A line break pasted into a field of one line becomes a blank; a name that differs in letter
  // case only is another name. Enter in the category's text saves with the ticks as they are.
  editor.Edit4->clear();
  editor.Edit4->insert(u"gulasch\r\nvom Rind"_qs);
  QCOMPARE(editor.Edit4->text(), u"gulasch  vom Rind"_qs);
  editor.Edit3->insert(u"Quenna\n"_qs);
  f.prompts().clear();
  QTest::keyClick(editor.ComboBox3, Qt::Key_Return);
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{kSaved});
  EntryRecords expected = entry("gulasch  vom Rind", "Hauptgericht", "Quenna ");
  expected.subcategories = " Rind";
  expected.origin = "keine Angabe";
  expected.ingredients = {};
  expected.preparation = "";
  expected.persons = "2";
  QCOMPARE_RECORDS(f.read("Zestovar.dat"),
                   zestovar::test::buildEntry(entry(fifty, "Dessert")) + zestovar::test::buildEntry(expected));
}

void EditorTabTest::pictureThatCannotBeShownKeepsItsPathAndIsStored() {
  zestovar::test::Editing f;
  auto& editor = f.editor();
  // Longer than one picture record: a shorter picture reads back as none.
  const std::string broken =
      "Kein JPEG, nur ein Text mit der Endung .jpg. Kein JPEG, nur ein Text mit der Endung .jpg.";
  f.dir.write("kaputt.jpg", broken);
  const QString brokenPath = QString::fromStdString((f.dir / "kaputt.jpg").string());

  f.prompts().answerPicture(QString::fromStdString(zestovar::test::recipePicture().string()));
  editor.BitBtn9->click();
  QVERIFY(!editor.Image1->pixmap().isNull());
  f.prompts().answerPicture(brokenPath);
  editor.BitBtn9->click();
  QVERIFY(f.prompts().preview().isNull());
  const QStringList errors = f.prompts().texts(Kind::Error);
  QCOMPARE(errors.size(), 1);
  QVERIFY2(errors.front().startsWith(u"Das Bild kann nicht angezeigt werden: "_qs), qPrintable(errors.front()));
  QCOMPARE(editor.picturePath(), brokenPath);
  QVERIFY(editor.Image1->pixmap().isNull());
  // Leaving the picture dialog without a file changes nothing.
  f.prompts().answerPicture(QString());
  editor.BitBtn9->click();
  QCOMPARE(editor.picturePath(), brokenPath);

  choose(editor.ComboBox3, u"Suppe"_qs);
  tick(editor.CheckListBox3, u"Suppen"_qs);
  editor.Edit4->setText(u"Brühe"_qs);
  editor.BitBtn10->click();
  const auto stored = f.main().store().lastByName("Br\xfche");
  QVERIFY(stored.has_value());
  QCOMPARE(stored->picture, broken);

  f.prompts().answerPicture(QString::fromStdString(zestovar::test::recipePicture().string()));
  editor.BitBtn9->click();
  editor.BitBtn11->click();
  QVERIFY(editor.picturePath().isEmpty());
  QVERIFY(editor.Image1->pixmap().isNull());
  QVERIFY(f.prompts().unexpected().isEmpty());
}

void EditorTabTest::deletingFromEachListRemembersThePairAlsoWhenItFails() {
  const std::string pea = zestovar::test::buildEntry(entry("Erbsensuppe", "Suppe", "Ilse"));
  zestovar::test::Editing f(zestovar::test::buildEntry(entry("Linsensuppe", "Suppe")) + pea +
                            zestovar::test::buildEntry(entry("Tomatensuppe", "Suppe", "Ole")));
  f.dir.write("Merklist.dat", "Tomatensuppe\r\nErbsensuppe\r\nLinsensuppe\r\n");
  auto& tab = f.recipes();
  auto& editor = f.editor();
  f.main().Suppen1->trigger();

  zestovar::test::select(tab.ListBox3, u"Linsensuppe"_qs);
  tab.PopupMenu1.remove->trigger();
  QCOMPARE(f.read("DelRez.dat"), std::string("Linsensuppe\r\nQuenna\r\n"));
  QCOMPARE(zestovar::test::texts(tab.ListBox3), (QStringList{u"Erbsensuppe"_qs, u"Tomatensuppe"_qs}));

  // The result list loses the line; a name deleted before is remembered again, without an author.
  tab.ListBox4->addItems({u"Linsensuppe"_qs, u"Tomatensuppe"_qs});
  zestovar::test::select(tab.ListBox4, u"Tomatensuppe"_qs);
  tab.PopupMenu2.remove->trigger();
  QCOMPARE(zestovar::test::texts(tab.ListBox4), QStringList{u"Linsensuppe"_qs});
  QCOMPARE(zestovar::test::texts(tab.ListBox3), QStringList{u"Erbsensuppe"_qs});
  zestovar::test::select(tab.ListBox4, u"Linsensuppe"_qs);
  tab.PopupMenu2.remove->trigger();
  QCOMPARE(tab.ListBox4->count(), 0);

  // The bookmark list loses the line, and "Merklist.dat" holds the shown list in its shown order.
  tab.ListBox5->addItems({u"Erbsensuppe"_qs, u"Linsensuppe"_qs, u"Tomatensuppe"_qs});
  zestovar::test::select(tab.ListBox5, u"Erbsensuppe"_qs);
  tab.PopupMenu3.remove->trigger();
  QCOMPARE(zestovar::test::texts(tab.ListBox5), (QStringList{u"Linsensuppe"_qs, u"Tomatensuppe"_qs}));
  QCOMPARE(f.read("Merklist.dat"), std::string("Linsensuppe\r\nTomatensuppe\r\n"));
  QCOMPARE(tab.ListBox3->count(), 0);
  QCOMPARE(f.read("Zestovar.dat"), std::string(""));
  const std::string pairs =
      "Linsensuppe\r\nQuenna\r\nTomatensuppe\r\nOle\r\nLinsensuppe\r\n\r\nErbsensuppe\r\nIlse\r\n";
  QCOMPARE(f.read("DelRez.dat"), pairs);
  QCOMPARE(f.program.deletedRecipes().pairs().size(), std::size_t{4});

  // Without a selected line nothing is deleted, but the browse list is listed again.
  f.dir.write("Zestovar.dat", pea);
  tab.ListBox3->clearSelection();
  editor.EntfernenClick(zestovar::ui::MainWindow::RecipeList::Browse);
  QCOMPARE(zestovar::test::texts(tab.ListBox3), QStringList{u"Erbsensuppe"_qs});
  QCOMPARE(f.read("DelRez.dat"), pairs);
  QVERIFY(f.prompts().shown().isEmpty());

  // A directory in the place of the rewrite file makes the deletion fail; the pair is remembered.
  std::filesystem::create_directory(f.dir / "New.dat");
  zestovar::test::select(tab.ListBox3, u"Erbsensuppe"_qs);
  tab.PopupMenu1.remove->trigger();
  QCOMPARE(f.prompts().texts(Kind::Error).size(), 1);
  QCOMPARE(f.read("DelRez.dat"), pairs + "Erbsensuppe\r\nIlse\r\n");
  QCOMPARE(f.read("Zestovar.dat"), pea);
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  EditorTabTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "EditorTabTest.moc"
