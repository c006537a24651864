// Publishing own recipes and mailing a recipe on the started program, against a site and a mail server
// on 127.0.0.1; every box answered through the scripted prompts.
#include <QTabBar>
#include <QTest>

#include <atomic>
#include <cstdlib>
#include <memory>

#include "PlantedLink.h"
#include "ProgramFixture.h"
#include "StoreFixtures.h"
#include "TestHttpServer.h"
#include "TestSmtpServer.h"
#include "ViewClicks.h"
#include "app/Application.h"
#include "online/PublishTab.h"
#include "online/RecipeMail.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

using namespace zestovar::test;
using zestovar::ui::ScriptedPrompts;
using Kind = ScriptedPrompts::Kind;

namespace {

// The replies of a server that offers AUTH LOGIN and takes one message for one recipient.
std::vector<std::string> accepting() {
  return {"220 mail.test ESMTP",
          "250-mail.test\r\n250 AUTH LOGIN",
          "334 VXNlcm5hbWU6",
          "334 UGFzc3dvcmQ6",
          "235 2.7.0 Authentication successful",
          "250 2.0.0 Ok",
          "250 2.1.0 Ok",
          "250 2.1.5 Ok",
          "354 End data with <CR><LF>.<CR><LF>",
          "250 2.0.0 Ok: queued",
          "221 2.0.0 Bye"};
}

// The message as the server received it: between DATA and the line ".", dots no longer doubled.
std::string message(const std::string& dialogue) {
  const auto start = dialogue.find("DATA\r\n") + 6;
  std::string data = dialogue.substr(start, dialogue.find("\r\n.\r\n", start) + 2 - start);
  std::string out;
  bool lineStart = true;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (!(lineStart && data[i] == '.')) out += data[i];
    lineStart = data[i] == '\n';
  }
  return out;
}

EntryRecords gulasch() {
  EntryRecords e = named("Gulasch", "Hauptgericht");
  e.pictureKind = EntryRecords::Picture::Bytes;
  e.picture = pictureBytes(500);
  return e;
}

EntryRecords ilka() {
  EntryRecords e = named("Soljanka");
  e.author = "Ilka";
  return e;
}

// The program on three recipes, two of them Quenna's, its site and mail server given by the test.
class Started : public StartedProgram {
 public:
  Started()
      : StartedProgram(
            {{"Zestovar.dat", buildEntry(named("Linsensuppe")) + buildEntry(gulasch()) + buildEntry(ilka())}}) {}
  void pointAt(const TestHttpServer& site, const TestSmtpServer& mail) {
    auto& publish = program.publishTab();
    publish.setSiteUrl("http://127.0.0.1:" + std::to_string(site.port()));
    for (zestovar::online::MailSettings* settings : {&publish.mailSettings(), &program.recipeMail().mailSettings()}) {
      settings->server.host = "127.0.0.1";
      settings->server.port = mail.port();
    }
  }
};

// The text of a failed fetch of that address, as the transport gives it.
QString fetchErrorText(const std::string& url) { return QString::fromStdString(fetchError(url)); }

}  // namespace

class MailTest : public QObject {
  Q_OBJECT

 private slots:
  void publishedRecipesReachTheOperatorAsTheyStandInTheFile();
  void failedListingKeepsTheViewAndFailedMailKeepsTheUploadFile();
  void recipeMailIsAbandonedOrRefusedBeforeAnythingIsSentThenCarriesTheChosenRecipe();
};

void MailTest::publishedRecipesReachTheOperatorAsTheyStandInTheFile() {
  TestHttpServer site([](const std::string&) {
    return TestHttpServer::reply("200 OK", "Linsensuppe\r\nQuenna\r\n1.1.2005\r\nhttp://x/1.dat\r\nSuppe Suppen\r\n");
  });
  TestSmtpServer mail(accepting());
  Started s;
  s.pointAt(site, mail);
  auto& publish = s.program.publishTab();
  TForm1& form = s.program.mainWindow();

  s.prompts().answerConfirm(false);  // "Abbrechen": nothing is fetched
  form.PageControl1->setCurrentIndex(TForm1::kTabPublish);
  QCOMPARE(s.prompts().shown().front().title, QStringLiteral("Bestätigung"));
  QCOMPARE(site.requests().size(), std::size_t{0});
  form.PageControl1->setCurrentIndex(TForm1::kTabRecipe);  // other tabs ask nothing
  QCOMPARE(s.prompts().shown().size(), 1);

  s.prompts().answerConfirm(true);
  form.Rezepteonlinestellen1->trigger();
  QCOMPARE(names(publish.ListView3), (QStringList{QStringLiteral("Gulasch"), QStringLiteral("Soljanka")}));
  QCOMPARE(publish.ListView3->topLevelItem(1)->text(1), QStringLiteral("Ilka"));

  QTest::mouseClick(publish.BitBtn5, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Message), QStringList{QStringLiteral("Bitte mindestens ein Rezept auswählen")});
  QCOMPARE(mail.connections(), 0);

  QTest::mouseClick(publish.BitBtn6, Qt::LeftButton);
  QTest::mouseClick(publish.BitBtn5, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  const std::string dialogue = mail.received();
  QVERIFY(dialogue.find("MAIL FROM: <rezepte@zestovar.invalid>\r\nRCPT TO:<redaktion@zestovar.invalid>\r\n") !=
          std::string::npos);
  QVERIFY(!s.dir.has("UploadRez.dat"));

  // Python's MIME parser takes the attachment out of the message as it came.
  s.dir.write("mail.eml", message(dialogue));
  s.dir.write("attachment.py",
              "import email, sys\n"
              "m = email.message_from_binary_file(open(sys.argv[1], 'rb'))\n"
              "part = m.get_payload()[1]\n"
              "open(sys.argv[2], 'wb').write(part.get_payload(decode=True))\n"
              "print(m['Subject'], part.get_filename())\n");
  const std::string command = "python3 " + (s.dir / "attachment.py").string() + " " + (s.dir / "mail.eml").string() +
                              " " + (s.dir / "sent.dat").string() + " > " + (s.dir / "subject").string();
  QCOMPARE(std::system(command.c_str()), 0);
  const std::string expected = buildEntry(gulasch()) + buildEntry(ilka());
  QVERIFY(s.dir.read("sent.dat") == expected);
  QCOMPARE(s.dir.read("subject"), "Zestovar.dat, Filesize: " + std::to_string(expected.size()) + " UploadRez.dat\n");
  QCOMPARE(publish.ListView3->topLevelItemCount(), 2);  // the view keeps its recipes and ticks

  // A link placed under the upload's name is replaced, never written through or read through.
  for (const PlantedLink::To to : {PlantedLink::To::File, PlantedLink::To::Nowhere}) {
    TestSmtpServer again(accepting());
    s.pointAt(site, again);
    const PlantedLink link(s.dir / "UploadRez.dat", to);
    QTest::mouseClick(publish.BitBtn5, Qt::LeftButton);
    QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
    QVERIFY(again.received().find("Subject: Zestovar.dat, Filesize: " + std::to_string(expected.size()) + "\r\n") !=
            std::string::npos);
    QCOMPARE(link.problems(false), std::string());
  }
}

void MailTest::failedListingKeepsTheViewAndFailedMailKeepsTheUploadFile() {
  std::atomic<bool> siteDown = false;
  TestHttpServer site([&siteDown](const std::string&) {
    return siteDown ? TestHttpServer::reply("404 Not Found", "weg")
                    : TestHttpServer::reply("200 OK",
                                            "Linsensuppe\r\nQuenna\r\n1.1.2005\r\nhttp://x/1.dat\r\nSuppe Suppen\r\n");
  });
  std::vector<std::string> refusing = accepting();
  refusing[9] = "554 5.6.0 Nachricht abgelehnt";  // the answer to the whole message
  TestSmtpServer mail(refusing);
  Started s;
  s.pointAt(site, mail);
  auto& publish = s.program.publishTab();
  TForm1& form = s.program.mainWindow();
  form.resize(1000, 700);
  form.show();
  QTabBar* tabs = form.PageControl1->tabBar();
  const auto clickTab = [tabs](int index) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  };
  const QStringList listed{QStringLiteral("Gulasch"), QStringLiteral("Soljanka")};

  s.prompts().answerConfirm(true);
  clickTab(TForm1::kTabPublish);
  QCOMPARE(names(publish.ListView3), listed);
  QTest::mouseClick(publish.BitBtn6, Qt::LeftButton);  // "Alles auswählen"

  // The list page fails: its error, and the view keeps its recipes and ticks.
  clickTab(TForm1::kTabRecipe);
  siteDown = true;
  const QString notFound =
      fetchErrorText("http://127.0.0.1:" + std::to_string(site.port()) + "/zestovar3/rezeptlist.htm");
  s.prompts().answerConfirm(true);
  clickTab(TForm1::kTabPublish);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{notFound});
  QCOMPARE(names(publish.ListView3), listed);
  for (int i = 0; i < 2; ++i) QCOMPARE(publish.ListView3->topLevelItem(i)->checkState(0), Qt::Checked);

  // The mail is refused: the server's text, and "UploadRez.dat" stays with what was sent.
  s.prompts().clear();
  QTest::mouseClick(publish.BitBtn5, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{QStringLiteral("554 5.6.0 Nachricht abgelehnt")});
  QVERIFY(s.dir.read("UploadRez.dat") == buildEntry(gulasch()) + buildEntry(ilka()));

  // The next publication replaces it, shorter, and once the mail is taken it is gone.
  TestSmtpServer again(refusing);
  s.pointAt(site, again);
  clickCheckBox(publish.ListView3, QStringLiteral("Gulasch"));
  s.prompts().clear();
  QTest::mouseClick(publish.BitBtn5, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error).size(), 1);
  QVERIFY(s.dir.read("UploadRez.dat") == buildEntry(ilka()));
  TestSmtpServer taking(accepting());
  s.pointAt(site, taking);
  s.prompts().clear();
  QTest::mouseClick(publish.BitBtn5, Qt::LeftButton);
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  QVERIFY(taking.received().find("Subject: Zestovar.dat, Filesize: " + std::to_string(buildEntry(ilka()).size()) +
                                 "\r\n") != std::string::npos);
  QVERIFY(!s.dir.has("UploadRez.dat"));
}

void MailTest::recipeMailIsAbandonedOrRefusedBeforeAnythingIsSentThenCarriesTheChosenRecipe() {
  TestHttpServer site([](const std::string&) { return TestHttpServer::reply("404 Not Found", ""); });
  std::vector<std::string> replies = accepting();
  replies.insert(replies.begin() + 7, "250 2.1.5 Ok");  // a second recipient
  TestSmtpServer mail(replies);
  Started s;
  s.pointAt(site, mail);
  TForm1& form = s.program.mainWindow();
  QAction* send = form.AlseMailversenden1;
  s.prompts().answerInput(std::nullopt);  // "Abbrechen" at the name
  send->trigger();
  s.prompts().answerInput(QStringLiteral("Quenna"));
  s.prompts().answerInput(std::nullopt);  // "Abbrechen" at the address
  send->trigger();
  // A character Windows-1252 cannot hold would read as "?", which an address may hold.
  for (const char* typed : {"eMail", "freundin@beispiel.de>\r\nRCPT TO:<alle@beispiel.de", "a@b.de\r\nBcc: c@d.de",
                            "a@b.de, Freunde: c@d.de;", "\xC5\x81ucja <\xC5\x82ucja@beispiel.de>"}) {
    s.prompts().answerInput(QStringLiteral("Quenna"));
    s.prompts().answerInput(QString::fromUtf8(typed));
    send->trigger();
  }
  QCOMPARE(mail.connections(), 0);
  QCOMPARE(s.prompts().texts(Kind::Error).size(), 5);
  QVERIFY(s.prompts().texts(Kind::Error).front().startsWith(QStringLiteral("Keine gültige eMail-Adresse: 'eMail'")));
  QCOMPARE(s.prompts().unexpected(), QStringList{});

  s.prompts().clear();
  form.Hauptgerichte1->trigger();
  auto* browse = s.program.recipeTab().ListBox3;
  browse->setCurrentRow(0);
  s.prompts().answerInput(QStringLiteral("Köchin\nmit Zeilenumbruch"));
  s.prompts().answerInput(QStringLiteral("Anna Koch <freundin@beispiel.de>, \"Müller, Jörg\" <joerg@beispiel.de>,"));
  send->trigger();
  QCOMPARE(s.prompts().texts(Kind::Error), QStringList{});
  const std::string dialogue = mail.received();
  QVERIFY(dialogue.find("RCPT TO:<freundin@beispiel.de>\r\nRCPT TO:<joerg@beispiel.de>\r\nDATA\r\n") !=
          std::string::npos);
  const std::string text = message(dialogue);
  QVERIFY(text.find("\r\nTo: Anna Koch <freundin@beispiel.de>,\r\n =?ISO-8859-1?B?TfxsbGVyLCBK9nJn?= "
                    "<joerg@beispiel.de>\r\n") != std::string::npos);
  QVERIFY(text.find("Content-Type: text/plain; charset=ISO-8859-1\r\nContent-Transfer-Encoding: 8bit\r\n") !=
          std::string::npos);
  QVERIFY(text.find("\r\n\r\nSie haben ein Rezept von K\xf6"
                    "chin mit Zeilenumbruch erhalten.\r\n") != std::string::npos);
  QVERIFY(text.find("\r\nGulasch\r\nVon Quenna aus Quenna's Zestovar (http://localhost:8080\r\n") != std::string::npos);
  QVERIFY(text.find("\r\nW\xfcnsche gutes Gelingen,\r\nhttp://www.zestovar.invalid\r\n") != std::string::npos);
  // The picture never goes along.
  QVERIFY(text.find(pictureBytes(500).substr(0, 40)) == std::string::npos);
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  MailTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "MailTest.moc"
