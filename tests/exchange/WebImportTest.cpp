// "Datei" > "Rezept aus dem Internet ..." on the program started headless against a recipe site on
// 127.0.0.1: the menu clicked, the address typed into the input box, the editor filled in and saved;
// a missing page and a page without recipe leave the editor as it was.
#include <QBuffer>
#include <QImage>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "ProgramFixture.h"
#include "TestHttpServer.h"
#include "TestWebSite.h"
#include "editing/EditorTab.h"
#include "exchange/WebPage.h"

using zestovar::ui::ScriptedPrompts;

namespace {

// Two recipes in a @graph; the first has no author and a PNG picture. (moc reads no raw string
// literals.)
const char kPage[] =
    "<!DOCTYPE html><html><head><title>Linsen</title>\n"
    "<script type=\"application/ld+json\">{\"@context\":\"https://schema.org\",\"@graph\":[\n"
    " {\"@type\":\"WebSite\",\"name\":\"Markt\"},\n"
    " {\"@type\":\"Recipe\",\"name\":\"Linsensuppe vom "
    "Markt\",\"image\":{\"@type\":\"ImageObject\",\"url\":\"bilder/linsen.png\"},\n"
    "  \"recipeCategory\":\"Suppe\",\"recipeCuisine\":\"Italian\",\"recipeYield\":[\"4\",\"4 Portionen\"],\n"
    "  \"recipeIngredient\":[\"250 g Linsen\",\"1 Zwiebel\"],\n"
    "  \"recipeInstructions\":[{\"@type\":\"HowToStep\",\"text\":\"Linsen "
    "waschen.\"},{\"@type\":\"HowToStep\",\"text\":\"Kochen.\"}]},\n"
    " {\"@type\":\"Recipe\",\"name\":\"Zweites Rezept\",\"author\":\"Quenna\",\"recipeIngredient\":[\"Wasser\"]}]}\n"
    "</script></head><body><h1>Linsen</h1></body></html>";

QString choose(TForm1& main, QAction* entry) {
  // The menu opens with a click on its title in the menu bar, the entry with a click on its line.
  QTest::mouseClick(main.MainMenu1, Qt::LeftButton, {},
                    main.MainMenu1->actionGeometry(main.Datei1->menuAction()).center());
  if (!QTest::qWaitForWindowExposed(main.Datei1)) return u"the menu did not open"_qs;
  QTest::mouseClick(main.Datei1, Qt::LeftButton, {}, main.Datei1->actionGeometry(entry).center());
  return {};
}

QStringList ticked(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->checkState() == Qt::Checked) out.append(list->item(i)->text());
  return out;
}

}  // namespace

class WebImportTest : public QObject {
  Q_OBJECT

 private slots:
  void aFailedFetchLeavesTheEditorAsItWasAndAPageFillsItForSpeichern();
};

void WebImportTest::aFailedFetchLeavesTheEditorAsItWasAndAPageFillsItForSpeichern() {
  zestovar::test::TestWebSite site;
  QVERIFY2(site.started(), "web_server.py did not start");
  site.put("leer.html", "<html><head><title>Nichts</title></head><body>Kein Rezept</body></html>");
  site.put("linsen.html", kPage);
  QImage png(40, 30, QImage::Format_ARGB32);
  png.fill(Qt::darkGreen);
  QByteArray pngBytes;
  QBuffer buffer(&pngBytes);
  buffer.open(QIODevice::WriteOnly);
  png.save(&buffer, "PNG");
  site.put("bilder/linsen.png", pngBytes.toStdString());
  // The program with its main window shown and a name typed into the editor.
  zestovar::test::StartedProgram started;
  TForm1& main = started.main();
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  auto& editor = started.program.editorTab();
  editor.Edit4->setText(u"Angefangen"_qs);
  ScriptedPrompts& prompts = started.prompts();
  prompts.clear();

  // "Abbrechen" on the question fetches nothing.
  prompts.answerInput(QString::fromStdString(site.url("/fehlt.html")));
  prompts.answerConfirm(false);
  QCOMPARE(choose(main, main.RezeptausdemInternet1), QString());
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Progress), QStringList());

  for (const char* path : {"/fehlt.html", "/leer.html"}) {
    prompts.answerInput(QString::fromStdString(site.url(path)));
    prompts.answerConfirm(true);
    QCOMPARE(choose(main, main.RezeptausdemInternet1), QString());
  }
  QVERIFY(prompts.unexpected().isEmpty());
  QCOMPARE(
      prompts.texts(ScriptedPrompts::Kind::Error),
      (QStringList{u"HTTP/1.0 404 File not found"_qs, QString::fromUtf8(zestovar::exchange::kNoRecipeData.data())}));
  // "Abbrechen" in the progress dialog while a server keeps silent ends the fetch without a box.
  zestovar::test::TestHttpServer silent([](const std::string&) -> std::optional<std::string> { return std::nullopt; });
  prompts.answerInput(QString::fromStdString(silent.url("/still.html")));
  prompts.answerConfirm(true);
  prompts.cancelProgress(2, 1);
  QCOMPARE(choose(main, main.RezeptausdemInternet1), QString());
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Progress).size(), 3);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error).size(), 2);
  QCOMPARE(editor.Edit4->text(), u"Angefangen"_qs);
  QCOMPARE(editor.Memo3->toPlainText(), QString());
  QVERIFY(!main.transferRunning());

  // The address as a user pastes it, through a redirect.
  prompts.clear();
  prompts.answerInput(QString::fromStdString(" " + site.url("/umleitung/linsen.html")));
  prompts.answerConfirm(true);
  QCOMPARE(choose(main, main.RezeptausdemInternet1), QString());
  QVERIFY(prompts.unexpected().isEmpty());
  QCOMPARE(prompts.shown().at(0).title, u"Rezept aus dem Internet"_qs);
  QCOMPARE(prompts.shown().at(0).text, u"Adresse der Seite:"_qs);
  QCOMPARE(prompts.shown().at(1).text, u"Die Eingaben im Editor werden ersetzt. Fortfahren?"_qs);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error), QStringList());
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message),
           QStringList{u"Die Seite enthält 2 Rezepte; das erste ist eingetragen."_qs});

  QCOMPARE(main.PageControl1->currentWidget(), main.TabSheet4);
  QCOMPARE(editor.Edit4->text(), u"Linsensuppe vom Markt"_qs);
  QCOMPARE(editor.ComboBox3->currentText(), u"Suppe"_qs);
  QCOMPARE(ticked(editor.CheckListBox3), QStringList{u"Suppen"_qs});
  QCOMPARE(editor.ComboBox5->currentText(), u"4"_qs);
  QCOMPARE(editor.ComboBox4->currentText(), u"italienisch"_qs);
  QCOMPARE(editor.Memo3->toPlainText(), u"250 g Linsen\n1 Zwiebel"_qs);
  QCOMPARE(editor.Memo2->toPlainText(), u"Linsen waschen.\nKochen."_qs);
  QCOMPARE(editor.Edit3->text(), u"127.0.0.1"_qs);
  // The PNG is a JPEG of its own file now, shown in the preview.
  QVERIFY(editor.picturePath().endsWith(u"/Web.jpg"_qs));
  const std::string web = started.read("Web.jpg");
  QVERIFY(web.starts_with("\xff\xd8"));
  QVERIFY(!editor.Image1->pixmap().isNull());

  prompts.clear();
  QTest::mouseClick(editor.BitBtn10, Qt::LeftButton);
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Message), QStringList{u"Rezept gespeichert"_qs});
  const auto stored = started.program.mainWindow().store().lastByName("Linsensuppe vom Markt");
  QVERIFY(stored);
  QCOMPARE(stored->author, std::string("127.0.0.1"));
  QCOMPARE(stored->persons, std::string("4"));
  QVERIFY(stored->picture == web);
}

QTEST_MAIN(WebImportTest)
#include "WebImportTest.moc"
