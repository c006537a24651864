// "Rezepte importieren ..." on the program started headless: the files chosen in the dialog, a file
// that cannot be read, the summary, the browse list listed again, and "Abbrechen" in the progress dialog.
#include <QListWidget>
#include <QTest>

#include "ProgramFixture.h"
#include "exchange/ImportCommand.h"

using zestovar::ui::ScriptedPrompts;

using zestovar::test::texts;

namespace {

QString sample(const char* name) { return QStringLiteral(ZESTOVAR_EXCHANGE_SAMPLES "/") + QLatin1String(name); }

}  // namespace

class ImportCommandTest : public QObject {
  Q_OBJECT

 private slots:
  void importsTheChosenFilesAndListsTheCategoryAgain();
  void cancellingKeepsTheFilesBeforeAndNothingOfTheCancelledOne();
};

void ImportCommandTest::importsTheChosenFilesAndListsTheCategoryAgain() {
  zestovar::test::StartedProgram started({{"kaputt.mmf", "MMMMM----- Recipe via Meal-Master\r\n Title: Halb\r\n"}});
  TForm1& main = started.main();
  main.Suppen1->trigger();
  ScriptedPrompts& prompts = started.prompts();
  prompts.clear();

  // Cancelled dialog: nothing happens.
  prompts.answerFiles({});
  main.Rezepteimportieren1->trigger();
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList());

  prompts.answerFiles({sample("rezepte.mmf"), QString::fromStdString((started.dir / "kaputt.mmf").string()),
                       sample("kuchen.cml"), sample("web/zwei-rezepte.html"), sample("web/ohne-rezept.html")});
  main.Rezepteimportieren1->trigger();
  QVERIFY(prompts.unexpected().isEmpty());
  QCOMPARE(prompts.shown().at(1).title, u"Rezepte importieren"_qs);
  QVERIFY(prompts.shown().at(1).text.startsWith(u"Rezeptsammlungen (*.mmf"_qs));
  QCOMPARE(
      prompts.texts(ScriptedPrompts::Kind::Progress),
      (QStringList{u"Importiere rezepte.mmf ..."_qs, u"Importiere kaputt.mmf ..."_qs, u"Importiere kuchen.cml ..."_qs,
                   u"Importiere zwei-rezepte.html ..."_qs, u"Importiere ohne-rezept.html ..."_qs}));
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error),
           (QStringList{u"kaputt.mmf: Zeile 1: das Rezept \"Halb\" hat keine Endzeile"_qs,
                        u"ohne-rezept.html: Keine Rezeptdaten auf der Seite gefunden."_qs}));
  // The CookML file holds "Apfelkuchen vom Blech" as well.
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList{u"7 Rezepte importiert, 1 übersprungen."_qs});
  const QStringList soups = texts(main.findChild<QListWidget*>(u"ListBox3"_qs));
  QVERIFY(soups.contains(u"Linsensuppe mit Würstchen"_qs));
  QVERIFY(soups.contains(u"Linsensuppe mit Speck"_qs));

  // The same files again: every recipe skipped.
  prompts.clear();
  prompts.answerFiles({sample("rezepte.mmf")});
  main.Rezepteimportieren1->trigger();
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList{u"0 Rezepte importiert, 3 übersprungen."_qs});
}

void ImportCommandTest::cancellingKeepsTheFilesBeforeAndNothingOfTheCancelledOne() {
  // The book as the first file alone leaves it.
  zestovar::test::StartedProgram once;
  once.prompts().answerFiles({sample("rezepte.mmf")});
  once.main().Rezepteimportieren1->trigger();
  const std::string firstFileOnly = once.read("Zestovar.dat");
  QVERIFY(!firstFileOnly.empty());

  // "Abbrechen" in the second file's dialog after its first recipe.
  zestovar::test::StartedProgram started;
  ScriptedPrompts& prompts = started.prompts();
  prompts.answerFiles({sample("rezepte.mmf"), sample("kuchen.cml")});
  prompts.cancelProgress(1, 1);
  started.main().Rezepteimportieren1->trigger();
  QVERIFY(prompts.unexpected().isEmpty());
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Progress).size(), 2);
  QCOMPARE(
      prompts.texts(ScriptedPrompts::Kind::Message),
      QStringList{u"3 Rezepte importiert, 0 übersprungen.\nAbgebrochen: die Datei, die gerade eingelesen wurde, ist "
                  u"nicht importiert."_qs});
  QCOMPARE_RECORDS(started.read("Zestovar.dat"), firstFileOnly);
}

QTEST_MAIN(ImportCommandTest)
#include "ImportCommandTest.moc"
