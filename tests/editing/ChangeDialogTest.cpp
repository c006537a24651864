// The change dialog TForm14, opened by "Ändern" of the list menus on a program started headless;
// the scripted prompts show it without waiting, so the test drives the open dialog.
#include <sys/stat.h>
#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "EditingFixture.h"
#include "PlantedLink.h"
#include "app/Application.h"
#include "ui/TextCodec.h"

using zestovar::test::choose;
using zestovar::test::EntryRecords;
using zestovar::test::Kind;
using zestovar::test::tick;
using zestovar::test::ticked;

namespace {

const QString kNoCategory = u"Bitte eine Kategorie wählen."_qs;
const QString kQuestion = u"Sie haben nicht gespeichert. Das Rezept nicht verändern?"_qs;

EntryRecords gulasch() {
  EntryRecords e = zestovar::test::named("Gulasch", "Hauptgericht");
  e.subcategories = " Rind Saucen";
  e.origin = "ungarisch";
  e.ingredients = {"1 kg Rindfleisch", "3 Zwiebeln"};
  e.preparation = "Anbraten.\r\r\nSchmoren.";
  e.persons = "4";
  e.pictureKind = EntryRecords::Picture::Bytes;
  e.picture = zestovar::test::readFile(zestovar::test::recipePicture());
  return e;
}

// Opens the dialog on a name through the result list, as "Ändern" of its list menu.
void openFromResultList(zestovar::test::Editing& f, const QString& name) {
  f.dialog().hide();
  f.recipes().ListBox4->clear();
  f.recipes().ListBox4->addItem(name);
  zestovar::test::select(f.recipes().ListBox4, name);
  f.recipes().PopupMenu2.change->trigger();
}

// The program on a book of "Gulasch" alone, with the dialog open on it.
struct OpenOnGulasch {
  OpenOnGulasch() { openFromResultList(f, u"Gulasch"_qs); }
  const std::string recipes = zestovar::test::buildEntry(gulasch());
  zestovar::test::Editing f{recipes};
  TForm14& dialog = f.dialog();
};

// The preparation as the memo shows it: each display line, and whether the memo wrapped it.
struct DisplayLine {
  QString text;
  bool wrapped;
};

QList<DisplayLine> displayLines(const QPlainTextEdit* memo) {
  QList<DisplayLine> lines;
  for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
      const QTextLine line = layout->lineAt(i);
      const QString text = block.text().mid(line.textStart(), line.textLength());
      lines.append({text, i + 1 < layout->lineCount() && !text.endsWith(QChar::LineSeparator)});
    }
  }
  return lines;
}

// Lays the preparation memo out at a known width; gives the width it took.
int layOutAt(TForm14& dialog, int width) {
  dialog.Memo1->setFixedWidth(width);
  dialog.layout()->activate();
  QApplication::processEvents();
  return dialog.Memo1->width();
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

}  // namespace

class ChangeDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void changedRecipeOfTheUpdateFileMovesToTheEndOfTheMainFile();
  void loadingTakesTheLastEntryAndChoosesWithoutLetterCase();
  void unchangedSaveKeepsTheWordsAndLines();
  void closeQuestionAndEnterSavingOnlyOnTheFocusedSaveButton();
  void keysSetTheChoicesBackButTabbingInKeepsThem();
  void loadedPictureReplacesALinkAndAPipeIsNeverThePicture();
};

void ChangeDialogTest::changedRecipeOfTheUpdateFileMovesToTheEndOfTheMainFile() {
  const std::string bread = zestovar::test::buildEntry(zestovar::test::named("Bauernbrot", "Backwaren"));
  const std::string onionSoup = zestovar::test::buildEntry(zestovar::test::named("Zwiebelsuppe"));
  zestovar::test::Editing f(bread, zestovar::test::buildEntry(gulasch()) + onionSoup);
  TForm14& dialog = f.dialog();
  f.main().Hauptgerichte1->trigger();
  f.recipes().PopupMenu1.change->trigger();
  QVERIFY(f.prompts().shown().isEmpty());
  zestovar::test::select(f.recipes().ListBox3, u"Gulasch"_qs);
  f.recipes().PopupMenu1.change->trigger();
  QCOMPARE(f.prompts().shown().size(), 1);
  QCOMPARE(f.prompts().shown().front().kind, Kind::Modal);
  QCOMPARE(f.prompts().shown().front().title, u"Quenna's Zestovar"_qs);
  QVERIFY(dialog.isVisible());

  QCOMPARE(dialog.ComboBox3->currentText(), u"Hauptgericht"_qs);
  QCOMPARE(ticked(dialog.CheckListBox1), (QStringList{u"Rind"_qs, u"Saucen"_qs}));
  QCOMPARE(dialog.Label4->text(), u"Gulasch"_qs);
  QCOMPARE(dialog.ComboBox1->currentText(), u"ungarisch"_qs);
  QCOMPARE(dialog.Memo2->toPlainText(), u"1 kg Rindfleisch\n3 Zwiebeln"_qs);
  // The line end that the conversion wrote for a line ending in a blank gives the blank back.
  QCOMPARE(dialog.Memo1->toPlainText(), u"Anbraten. \nSchmoren."_qs);
  QCOMPARE(dialog.Label5->text(), u"Quenna"_qs);
  QCOMPARE(dialog.ComboBox5->currentText(), u"4"_qs);
  QCOMPARE(f.read("IM1.jpg"), gulasch().picture);
  QCOMPARE(dialog.picturePath(), QString::fromStdString((f.dir / "IM1.jpg").string()));
  QVERIFY(!dialog.Image1->pixmap().isNull());

  tick(dialog.CheckListBox1, u"Saucen"_qs, false);
  tick(dialog.CheckListBox1, u"Wild"_qs);
  dialog.ComboBox5->setCurrentIndex(dialog.ComboBox5->findText(u"6"_qs));
  dialog.Memo2->appendPlainText(u"Salz"_qs);
  dialog.Button5->click();

  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{u"Rezept gespeichert"_qs});
  QVERIFY(f.prompts().texts(Kind::Warning).isEmpty());
  QVERIFY(!dialog.isVisible());
  EntryRecords changed = gulasch();
  changed.subcategories = " Rind Wild";
  changed.ingredients.push_back("Salz");
  changed.persons = "6";
  QCOMPARE_RECORDS(f.read("Zestovar.dat"), bread + zestovar::test::buildEntry(changed));
  QCOMPARE_RECORDS(f.read("zsv.dat"), onionSoup);

  zestovar::test::verifyReset(dialog.form(), u"Name eintragen"_qs, u"ungarisch"_qs);
  f.main().hide();
}

void ChangeDialogTest::loadingTakesTheLastEntryAndChoosesWithoutLetterCase() {
  EntryRecords older = gulasch();
  older.name = "Eintopf";
  EntryRecords newer = zestovar::test::named("Eintopf", "SUPPE");
  newer.subcategories = " suppen EINGEKOCHTES Gem\xfcse";
  newer.originPair = false;
  newer.ingredients = {"1 Dose Bohnen"};
  newer.preparation = "Alles kochen.";
  newer.author = "Ilse";
  newer.persons = "99";
  EntryRecords lemonade = zestovar::test::named("Limonade", "Getraenke");
  const std::string main = zestovar::test::buildEntry(older) + zestovar::test::buildEntry(lemonade);
  zestovar::test::Editing f(main, zestovar::test::buildEntry(newer));
  TForm14& dialog = f.dialog();

  openFromResultList(f, u"Eintopf"_qs);
  QCOMPARE(dialog.ComboBox3->currentIndex(), dialog.ComboBox3->findText(u"Suppe"_qs));
  QCOMPARE(ticked(dialog.CheckListBox1), (QStringList{u"Eingekochtes"_qs, u"Suppen"_qs}));
  QCOMPARE(dialog.ComboBox1->currentText(), u"keine Angabe"_qs);
  QCOMPARE(dialog.Memo2->toPlainText(), u"1 Dose Bohnen"_qs);
  QCOMPARE(dialog.Label5->text(), u"Ilse"_qs);
  QCOMPARE(dialog.ComboBox5->currentIndex(), -1);
  QVERIFY(dialog.picturePath().isEmpty());
  QVERIFY(dialog.Image1->pixmap().isNull());
  dialog.Button5->click();
  EntryRecords saved = newer;
  saved.category = "Suppe";
  saved.subcategories = " Eingekochtes Suppen";
  saved.originPair = true;
  saved.origin = "keine Angabe";
  saved.persons = "";
  QCOMPARE_RECORDS(f.read("Zestovar.dat"), main + zestovar::test::buildEntry(saved));
  QCOMPARE(f.read("zsv.dat"), std::string());

  // A category that is none of the six opens without a category, and cannot be saved so.
  openFromResultList(f, u"Limonade"_qs);
  QCOMPARE(dialog.ComboBox3->currentIndex(), -1);
  QCOMPARE(dialog.ComboBox3->currentText(), u"Kategorie wählen"_qs);
  QCOMPARE(dialog.CheckListBox1->count(), 0);
  f.prompts().clear();
  dialog.Button5->click();
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{kNoCategory});
  // A name no entry carries keeps what the dialog showed.
  openFromResultList(f, u"Zitronentee"_qs);
  QVERIFY(dialog.isVisible());
  QCOMPARE(dialog.Label4->text(), u"Limonade"_qs);
}

void ChangeDialogTest::unchangedSaveKeepsTheWordsAndLines() {
  const std::string compound = "Dreizehn-Vierzehn-F\xfcnfzehn-Sechzehn-Siebzehn-Achtzehn-Neunzehn-Zwanzig";
  const std::string longWord =
      "Donaudampfschifffahrtselektrizit\xe4tenhauptbetriebswerkbauunterbeamtengesellschaftsm\xfctze";
  const std::string tabs = "Mehl\tZucker\tButter\tEier\tSalz\tMilch\tHefe";
  const std::string softHyphens = "Zwiebel\xadschneide\xadmaschinen\xadhalterungs\xadschrauben\xadzieher";
  const std::string address = "www.example.org/rezepte/hauptgerichte/gulasch/vom/hirsch/mit/spaetzle";
  const std::string blanks = "Salz   und   Pfeffer   nach   Geschmack   und   etwas   Muskat   dazugeben.";
  const std::string noBreak = "Bei 180\xa0Grad 25\xa0Minuten backen, dann 10\xa0Minuten ruhen lassen.";
  // A line the user ended after a hyphen, and a final line end.
  const std::string ended = "Mit Vanille-\r\nEis servieren.";
  const std::string original = "Im Gusseisen-Topf mit Wurzel-Gem\xfcse und " + compound + " Minuten garen.\r\n" +
                               longWord + "\r\n" + tabs + "\r\n" + softHyphens + "\r\n" + address + "\r\n" + blanks +
                               "\r\n" + noBreak + "\r\n" + ended + "\r\n";
  EntryRecords stew = gulasch();
  stew.originPair = false;
  stew.ingredients = {"1 kg Rindfleisch", "3 Zwiebeln", ""};
  stew.preparation = original;
  const std::string bread = zestovar::test::buildEntry(zestovar::test::named("Bauernbrot", "Backwaren"));
  zestovar::test::Editing f(zestovar::test::buildEntry(stew) + bread);
  TForm14& dialog = f.dialog();
  openFromResultList(f, u"Gulasch"_qs);
  QCOMPARE(layOutAt(dialog, 260), 260);
  QVERIFY(QFontMetrics(dialog.Memo1->font()).horizontalAdvance(zestovar::ui::fromCp1252(longWord)) >
          dialog.Memo1->viewport()->width());
  // Shift+Enter ends a line inside the last paragraph.
  QTextCursor cursor = dialog.Memo1->document()->find(u"Eis servieren."_qs);
  cursor.clearSelection();
  dialog.Memo1->setTextCursor(cursor);
  dialog.Memo1->setFocus();
  QTest::keyClick(dialog.Memo1, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClicks(dialog.Memo1, u"Guten Appetit!"_qs);
  const std::string typed = replaced(original, "Eis servieren.", "Eis servieren.\r\nGuten Appetit!");

  // The memo wraps after blanks and in every other place Qt wraps.
  const QList<DisplayLine> shown = displayLines(dialog.Memo1);
  QString wrapsAfter;
  int blankEnds = 0;
  for (const DisplayLine& line : shown) {
    if (line.wrapped) wrapsAfter += line.text.back();
    if (line.text.endsWith(QLatin1Char(' '))) ++blankEnds;
  }
  for (const QChar c : {QChar(u' '), QChar(u'-'), QChar(u'/'), QChar(u'\t'), QChar(0xad)})
    QVERIFY2(wrapsAfter.contains(c), qPrintable(wrapsAfter));
  QVERIFY2(std::any_of(wrapsAfter.begin(), wrapsAfter.end(), [](QChar c) { return c.isLetter(); }),
           qPrintable(wrapsAfter));
  QTest::mouseClick(dialog.Button5, Qt::LeftButton);
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{u"Rezept gespeichert"_qs});

  // Each line end the save inserted stands for a blank at a display line's end; nothing else moved.
  const auto first = f.main().store().lastByName("Gulasch");
  const std::string saved = first->preparation();
  QCOMPARE(replaced(saved, "\r\r\n", " "), typed);
  QCOMPARE(count(saved, "\r\r\n"), std::size_t(blankEnds));
  QVERIFY(count(saved, "\r\r\n") >= 2);
  for (const std::string& whole :
       {compound, longWord, tabs, softHyphens, address, std::string("180\xa0Grad"), std::string("10\xa0Minuten")})
    QVERIFY2(saved.find(whole) != std::string::npos, whole.c_str());
  QVERIFY(saved.ends_with("Mit Vanille-\r\nEis servieren.\r\nGuten Appetit!\r\n"));
  // The empty last ingredient line stays, and the origin pair is written.
  QCOMPARE(first->ingredients, (std::vector<std::string>{"1 kg Rindfleisch", "3 Zwiebeln", ""}));
  QVERIFY(first->hasOriginMarker);
  QCOMPARE(first->origin, std::string("keine Angabe"));
  const std::string afterFirst = f.read("Zestovar.dat");
  QVERIFY(afterFirst.starts_with(bread));

  // Opened and saved again at the same width, the recipe is written byte for byte as before.
  openFromResultList(f, u"Gulasch"_qs);
  QCOMPARE(layOutAt(dialog, 260), 260);
  QTest::mouseClick(dialog.Button5, Qt::LeftButton);
  QCOMPARE(f.read("Zestovar.dat"), afterFirst);
  f.main().hide();
}

void ChangeDialogTest::closeQuestionAndEnterSavingOnlyOnTheFocusedSaveButton() {
  OpenOnGulasch open;
  auto& [recipes, f, dialog] = open;
  dialog.Memo2->appendPlainText(u"Salz"_qs);

  f.prompts().answerWarning(1);
  dialog.close();
  f.prompts().answerWarning(1);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  QVERIFY(dialog.isVisible());
  f.prompts().answerWarning(0);
  dialog.Button4->click();
  QVERIFY(!dialog.isVisible());
  const QList<zestovar::ui::ScriptedPrompts::Shown> shown = f.prompts().shown();
  QCOMPARE(shown.size(), 4);
  for (int i = 1; i < 4; ++i) {
    QCOMPARE(shown[i].kind, Kind::Warning);
    QCOMPARE(shown[i].title, u"Warnung"_qs);
    QCOMPARE(shown[i].text, kQuestion);
  }
  QCOMPARE(f.read("Zestovar.dat"), recipes);

  openFromResultList(f, u"Gulasch"_qs);
  f.prompts().clear();
  QApplication::setActiveWindow(&dialog);
  for (QPushButton* button : {dialog.Button1, dialog.Button2, dialog.Button5, dialog.Button4})
    QVERIFY(!button->isDefault());

  // Enter in the lists and in the persons box saves nothing, also after a button had the focus.
  const auto pressEnter = [](QWidget* control) {
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Return);
    QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
  };
  pressEnter(dialog.CheckListBox1);
  pressEnter(dialog.ComboBox5);
  // Enter and Space press the button that has the focus.
  f.prompts().answerPicture(QString());
  dialog.Button1->setFocus();
  QTest::keyClick(dialog.Button1, Qt::Key_Space);
  QCOMPARE(f.prompts().shown().last().kind, Kind::Picture);
  pressEnter(dialog.Button2);
  QVERIFY(dialog.picturePath().isEmpty());
  pressEnter(dialog.CheckListBox1);
  QVERIFY(dialog.isVisible());
  QVERIFY(f.prompts().texts(Kind::Message).isEmpty());
  QCOMPARE(f.read("Zestovar.dat"), recipes);

  dialog.Button5->setFocus();
  QTest::keyClick(dialog.Button5, Qt::Key_Return);
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{u"Rezept gespeichert"_qs});
  QVERIFY(!dialog.isVisible());
  QVERIFY(f.prompts().unexpected().isEmpty());
  f.main().hide();
}

void ChangeDialogTest::keysSetTheChoicesBackButTabbingInKeepsThem() {
  OpenOnGulasch open;
  auto& [recipes, f, dialog] = open;

  // Tab moves on from a memo and leaves its text alone.
  QTest::keyClick(dialog.Memo2, Qt::Key_Tab);
  QCOMPARE(dialog.Memo2->toPlainText(), u"1 kg Rindfleisch\n3 Zwiebeln"_qs);
  // A key released in a box after its press went elsewhere: the Enter that chose "Ändern" in the
  // list menu, the Tab (or Shift Tab) that moved the focus into the box.
  QTest::keyRelease(dialog.ComboBox3, Qt::Key_Return);
  QTest::keyPress(dialog.ComboBox5, Qt::Key_Tab);
  QTest::keyRelease(dialog.ComboBox1, Qt::Key_Tab);
  QTest::keyRelease(dialog.ComboBox1->lineEdit(), Qt::Key_Shift);
  QTest::keyRelease(dialog.ComboBox3, Qt::Key_Backtab);
  QCOMPARE(dialog.ComboBox1->currentText(), u"ungarisch"_qs);
  QCOMPARE(dialog.ComboBox3->currentText(), u"Hauptgericht"_qs);

  QTest::keyClick(dialog.ComboBox1->lineEdit(), Qt::Key_D);
  QCOMPARE(dialog.ComboBox1->currentText(), u"keine Angabe"_qs);
  QTest::keyClick(dialog.ComboBox3, Qt::Key_Down);
  QCOMPARE(dialog.ComboBox3->currentText(), u"Kategorie wählen"_qs);
  QCOMPARE(ticked(dialog.CheckListBox1), (QStringList{u"Rind"_qs, u"Saucen"_qs}));
  dialog.Button5->click();
  QCOMPARE(f.prompts().texts(Kind::Message), QStringList{kNoCategory});

  // Only a choice with the mouse sets a category; the release of a key pressed in the box still
  // sets it back.
  QTest::keyPress(dialog.ComboBox3, Qt::Key_Up);
  choose(dialog.ComboBox3, u"Suppe"_qs);
  QCOMPARE(dialog.CheckListBox1->count(), 3);
  QTest::keyRelease(dialog.ComboBox3, Qt::Key_Up);
  QCOMPARE(dialog.ComboBox3->currentText(), u"Kategorie wählen"_qs);
  choose(dialog.ComboBox3, u"Suppe"_qs);
  tick(dialog.CheckListBox1, u"Suppen"_qs);
  dialog.Button5->click();
  QCOMPARE(f.prompts().texts(Kind::Message).last(), u"Rezept gespeichert"_qs);
  const auto stored = f.main().store().lastByName("Gulasch");
  QCOMPARE(stored->head.category, std::string("Suppe"));
  QCOMPARE(stored->origin, std::string("keine Angabe"));
  f.main().hide();
}

void ChangeDialogTest::loadedPictureReplacesALinkAndAPipeIsNeverThePicture() {
  using zestovar::test::PlantedLink;
  zestovar::test::Editing f({}, zestovar::test::buildEntry(gulasch()));
  TForm14& dialog = f.dialog();
  for (const PlantedLink::To to : {PlantedLink::To::File, PlantedLink::To::Nowhere}) {
    std::filesystem::remove(f.dir / "IM1.jpg");
    const PlantedLink link(f.dir / "IM1.jpg", to);
    openFromResultList(f, u"Gulasch"_qs);
    QCOMPARE(link.problems(), std::string());
    QCOMPARE(f.read("IM1.jpg"), gulasch().picture);
    QVERIFY(!dialog.Image1->pixmap().isNull());
  }

  // A pipe chosen as the picture is refused at once instead of blocking, and forgotten.
  const std::filesystem::path pipe = f.dir / "bild.jpg";
  QCOMPARE(::mkfifo(pipe.c_str(), 0644), 0);
  f.prompts().clear();
  f.prompts().answerPicture(QString::fromStdString(pipe.string()));
  QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  QCOMPARE(f.prompts().texts(Kind::Error),
           QStringList{QString::fromStdString("'" + pipe.string()) +
                       u"' ist keine gewöhnliche Datei, sondern etwa ein Ordner, eine Pipe oder ein Gerät"_qs});
  QVERIFY(dialog.picturePath().isEmpty());
  QVERIFY(dialog.Image1->pixmap().isNull());
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  ChangeDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ChangeDialogTest.moc"
