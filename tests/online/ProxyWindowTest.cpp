// The proxy window TForm17 on the started program: saving, refusing a bad port, "Keinen Proxy" and the
// file loaded at start-up.
#include <sys/stat.h>
#include <QTest>

#include "ProgramFixture.h"
#include "app/Application.h"
#include "online/HttpClient.h"
#include "online/ProxE.h"
#include "views/MHU.h"

using zestovar::test::readFile;
using zestovar::test::StartedProgram;
using zestovar::ui::ScriptedPrompts;

namespace {

void fill(TForm17& form, const QString& user, const QString& password, const QString& server, const QString& port) {
  form.Edit1->setText(user);
  form.Edit2->setText(password);
  form.Edit3->setText(server);
  form.Edit4->setText(port);
}

}  // namespace

class ProxyWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void saveWritesTheLinesAsTypedForItsOwnerOnly();
  void badPortChangesNothing();
  void noProxyForgetsTheServerAndTheFile();
};

void ProxyWindowTest::saveWritesTheLinesAsTypedForItsOwnerOnly() {
  StartedProgram started;
  TForm17& form = started.program.proxyWindow();
  started.program.mainWindow().Proxy1->trigger();
  QVERIFY(form.isVisible());
  fill(form, QStringLiteral("Köchin"), QStringLiteral("geheim"), QStringLiteral("proxy.invalid"),
       QStringLiteral(" 3128"));
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(started.prompts().shown().size(), 0);
  const auto file = started.dir / "Proxy.cfg";
  QCOMPARE(readFile(file), std::string("K\xf6"
                                       "chin\r\ngeheim\r\nproxy.invalid\r\n 3128\r\n"));
  struct stat st {};
  QCOMPARE(::stat(file.c_str(), &st), 0);
  QCOMPARE(st.st_mode & 0777, 0600u);
  const auto& proxy = started.program.http().proxy;
  QCOMPARE(proxy.port, 3128);
  QVERIFY(proxy.basicAuthentication);

  // Without a password the flag goes off again.
  form.Edit2->clear();
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QVERIFY(!started.program.http().proxy.basicAuthentication);
}

void ProxyWindowTest::badPortChangesNothing() {
  StartedProgram started({{"Proxy.cfg", "alt\r\n\r\nalt.invalid\r\n8080\r\n"}});
  TForm17& form = started.program.proxyWindow();
  for (const auto& [port, message] : std::vector<std::pair<QString, QString>>{
           {QStringLiteral("acht"), QStringLiteral("'acht' ist kein gültiger Integerwert")},
           {QStringLiteral("70000"), QStringLiteral("Bitte einen gültigen Port (1-65535) eingeben.")}}) {
    started.prompts().clear();
    fill(form, QStringLiteral("neu"), QStringLiteral("neu"), QStringLiteral("neu.invalid"), port);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::Error), QStringList{message});
    QCOMPARE(started.program.http().proxy.server, std::string("alt.invalid"));
    QCOMPARE(started.program.http().proxy.user, std::string("alt"));
    QCOMPARE(started.read("Proxy.cfg"), std::string("alt\r\n\r\nalt.invalid\r\n8080\r\n"));
  }
}

void ProxyWindowTest::noProxyForgetsTheServerAndTheFile() {
  StartedProgram started({{"Proxy.cfg", "u\r\np\r\nalt.invalid\r\n8080\r\n"}});
  QCOMPARE(started.program.http().proxy.server, std::string("alt.invalid"));
  QTest::mouseClick(started.program.proxyWindow().Button2, Qt::LeftButton);
  QVERIFY(started.program.http().proxy.server.empty());
  QVERIFY(!started.dir.has("Proxy.cfg"));
  QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::Message),
           QStringList{QStringLiteral("Das Program bitte neustarten.")});
  // Again without a file: nothing to delete, the same message.
  QTest::mouseClick(started.program.proxyWindow().Button2, Qt::LeftButton);
  QCOMPARE(started.prompts().texts(ScriptedPrompts::Kind::Message).size(), 2);
}

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  ProxyWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ProxyWindowTest.moc"
