// "Rezepte importieren ..." on the program started headless: the files chosen in the dialog, a file
// that cannot be read, the summary and the browse list listed again.
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ProgramFixture.h"
#include "exchange/ImportCommand.h"
#include "views/MHU.h"

using zestovar::ui::ScriptedPrompts;

using zestovar::test::texts;

namespace {

QString sample(const char* name) { return QStringLiteral(ZESTOVAR_EXCHANGE_SAMPLES "/") + QLatin1String(name); }

}  // namespace

class ImportCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void importsTheChosenFilesAndListsTheCategoryAgain();
  void cancellingLeavesTheBookAsItWas();
};

void ImportCommandTest::importsTheChosenFilesAndListsTheCategoryAgain() {
  QTemporaryDir dir;
  const auto broken = zestovar::test::pathOf(dir) / "kaputt.mmf";
  zestovar::test::writeFile(broken, "MMMMM----- Recipe via Meal-Master\r\n Title: Halb\r\n");
  zestovar::test::StartedProgram started(zestovar::test::pathOf(dir));
  TForm1& main = started.program.mainWindow();
  main.Suppen1->trigger();
  ScriptedPrompts& prompts = started.prompts;
  prompts.clear();

  // Cancelled dialog: nothing happens.
  prompts.answerFiles({});
  main.Rezepteimportieren1->trigger();
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList());

  prompts.answerFiles({sample("rezepte.mmf"), QString::fromStdString(broken.string()), sample("kuchen.cml")});
  main.Rezepteimportieren1->trigger();
  QVERIFY(prompts.unexpected().isEmpty());
  QCOMPARE(prompts.shown().at(1).title, u"Rezepte importieren"_qs);
  QVERIFY(prompts.shown().at(1).text.startsWith(u"Rezeptsammlungen (*.mmf"_qs));
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
           QStringList{u"kaputt.mmf: Zeile 1: das Rezept \"Halb\" hat keine Endzeile"_qs});
  // The CookML file holds "Apfelkuchen vom Blech" as well.
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList{u"5 Rezepte importiert, 1 übersprungen."_qs});
  QVERIFY(texts(main.findChild<QListWidget*>(u"ListBox3"_qs)).contains(u"Linsensuppe mit Würstchen"_qs));

  // The same files again: every recipe skipped.
  prompts.clear();
  prompts.answerFiles({sample("rezepte.mmf")});
  main.Rezepteimportieren1->trigger();
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList{u"0 Rezepte importiert, 3 übersprungen."_qs});
}

void ImportCommandTest::cancellingLeavesTheBookAsItWas() {
  QTemporaryDir dir;
  // A file long enough for the progress dialog to show before it is read.
  std::string file;
  for (int i = 0; i < 60000; ++i)
    file += "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n      Title: Suppe " + std::to_string(i) +
            "\r\n Categories: Soups\r\n\r\n      1 l  Wasser\r\n\r\nKochen.\r\n\r\nMMMMM\r\n";
  const auto path = zestovar::test::pathOf(dir) / "lang.mmf";
  zestovar::test::writeFile(path, file);
  zestovar::test::StartedProgram started(zestovar::test::pathOf(dir));
  TForm1& main = started.program.mainWindow();
  ScriptedPrompts& prompts = started.prompts;
  prompts.answerFiles({sample("rezepte.mmf")});
  main.Rezepteimportieren1->trigger();
  QFile book(QString::fromStdString((zestovar::test::pathOf(dir) / "Zestovar.dat").string()));
  QVERIFY(book.open(QIODevice::ReadOnly));
  const QByteArray before = book.readAll();
  book.close();
  QVERIFY(!before.isEmpty());

  // "Abbrechen" clicked as soon as the dialog shows.
  bool clicked = false;
  QTimer watch;
  connect(&watch, &QTimer::timeout, this, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QProgressDialog*>(window);
      if (dialog == nullptr || !dialog->isVisible() || clicked) continue;
      for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == u"Abbrechen"_qs) {
          QTest::mouseClick(button, Qt::LeftButton);
          clicked = true;
        }
    }
  });
  watch.start(20);
  prompts.clear();
  prompts.answerFiles({QString::fromStdString(path.string())});
  main.Rezepteimportieren1->trigger();
  watch.stop();
  QVERIFY(clicked);
  QVERIFY(prompts.unexpected().isEmpty());
  QCOMPARE(
      prompts.texts(ScriptedPrompts::Kind::Message),
      QStringList{u"0 Rezepte importiert, 0 übersprungen.\nAbgebrochen: die Datei, die gerade eingelesen wurde, ist "
                  u"nicht importiert."_qs});
  QVERIFY(book.open(QIODevice::ReadOnly));
  QCOMPARE(book.readAll(), before);
}

QTEST_MAIN(ImportCommandTest)
#include "ImportCommandTest.moc"
