// The whole program built as at start-up: every control in its place, and errors that escape a
// handler.
#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramFixture.h"
#include "app/Application.h"
#include "store/Errors.h"
#include "views/MHU.h"

using zestovar::app::ScriptedPrompts;
using zestovar::test::pathOf;
using zestovar::test::StartedProgram;

namespace {

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

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlIsInPlaceWithItsName();
  void errorEscapingHandlerIsShownAndProgramKeepsRunning();
};

void ProgramTest::everyControlIsInPlaceWithItsName() {
  QTemporaryDir dir;
  StartedProgram started(pathOf(dir));
  TForm1& form = started.program.form1();

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
  QCOMPARE(form.findChild<QAction*>(QStringLiteral("Entfernen4"))->text(), QStringLiteral("entfernen"));
  QCOMPARE(form.findChild<QAction*>(QStringLiteral("ZutatenzurEinkaufslistehinzufgen3"))->text(),
           QStringLiteral("Zutaten zur Einkaufsliste hinzufügen"));
}

void ProgramTest::errorEscapingHandlerIsShownAndProgramKeepsRunning() {
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

int main(int argc, char** argv) {
  zestovar::app::Application app(argc, argv);
  ProgramTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ProgramTest.moc"
