// The whole program as a screen reader and the user meet it: every window built by the program,
// the names read aloud, Qt's own dialogs in German, and errors that escape a handler.
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QTest>
#include <map>

#include "ProgramFixture.h"
#include "StoreFixtures.h"
#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "app/Application.h"
#include "editing/HHU2.h"
#include "lists/VHU.h"
#include "online/NHU.h"
#include "online/ProxE.h"
#include "store/Errors.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"
#include "views/Splash.h"

using zestovar::test::StartedProgram;
using zestovar::ui::ScriptedPrompts;

namespace {

// What a screen reader reads for the controls of the main window whose name is no caption they show:
// the label a user sees beside them, or a short description of their role. That every other named
// control has a name, the walk over every window checks.
const std::map<QString, QString> kAccessibleNames = {
    {u"MainMenu1"_qs, u"Hauptmenü"_qs},
    {u"StatusBar1"_qs, u"Statusleiste"_qs},
    {u"PageControl1"_qs, u"Hauptseiten"_qs},
    // "Rezept"
    {u"Panel1"_qs, u"Rezeptauswahl"_qs},
    {u"PageControl2"_qs, u"Rezeptauswahl"_qs},
    {u"WebBrowser1"_qs, u"Rezeptseite"_qs},
    {u"Splitter1"_qs, u"Teiler"_qs},
    {u"CheckListBox1"_qs, u"Unterkategorien"_qs},
    {u"ListBox3"_qs, u"Rezepte"_qs},
    {u"Edit5"_qs, u"Suchbegriff"_qs},
    {u"Splitter2"_qs, u"Teiler"_qs},
    {u"ListBox4"_qs, u"Suchergebnis"_qs},
    {u"ListBox5"_qs, u"Merkliste"_qs},
    {u"PopupMenu1"_qs, u"Rezeptmenü"_qs},
    {u"PopupMenu2"_qs, u"Rezeptmenü"_qs},
    {u"PopupMenu3"_qs, u"Rezeptmenü"_qs},
    // "Datenbank updaten"
    {u"ListView2"_qs, u"Angebotene Rezepte"_qs},
    {u"Panel2"_qs, u"Auswahl der Rezepte"_qs},
    {u"CheckListBox2"_qs, u"Unterkategorien"_qs},
    // "Datenbank online stellen"
    {u"ListView3"_qs, u"Eigene Rezepte"_qs},
    // "Hinzufügen"
    {u"Edit4"_qs, u"Rezeptname:"_qs},
    {u"Edit3"_qs, u"Autor des Rezepts:"_qs},
    {u"Memo3"_qs, u"Zutaten:"_qs},
    {u"Memo2"_qs, u"Zubereitung:"_qs},
    {u"CheckListBox3"_qs, u"Unterkategorien:"_qs},
    {u"Image1"_qs, u"Bild"_qs},
    // The change dialog (a child of the main window); its controls whose names no page uses.
    {u"Panel6"_qs, u"Rezept"_qs},
    {u"Memo1"_qs, u"Zubereitung:"_qs},
    {u"Panel7"_qs, u"Einordnung und Bild"_qs},
    // "Einkaufsliste"
    {u"ListBox2"_qs, u"Einkaufsliste"_qs},
    {u"PopupMenu4"_qs, u"Einkaufslistenmenü"_qs},
    {u"Edit6"_qs, u"Zutat:"_qs},
};

// The print preview window of the shopping list.
const std::map<QString, QString> kPrintPreviewNames = {
    {u"PrintPage"_qs, u"Einkaufsliste"_qs},
    {u"Panel1"_qs, u"Druckleiste"_qs},
};

// The name a screen reader reads: a widget's own, a menu entry's through its menu.
QString accessibleName(QObject* object) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    for (QObject* holder : action->associatedObjects()) {
      QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(holder);
      if (qobject_cast<QMenu*>(holder) == nullptr || menu == nullptr) continue;
      for (int i = 0; i < menu->childCount(); ++i)
        if (menu->child(i)->object() == action) return menu->child(i)->text(QAccessible::Name);
    }
    return {};
  }
  QAccessibleInterface* widget = QAccessible::queryAccessibleInterface(object);
  return widget == nullptr ? QString() : widget->text(QAccessible::Name);
}

// The program on a directory of two soups; the subcategory filter has run, so the status bar shows
// the count.
class TwoSoups : public StartedProgram {
 public:
  TwoSoups()
      : StartedProgram(
            {{"Zestovar.dat", zestovar::test::buildEntry(zestovar::test::named("Linsensuppe", "Suppe")) +
                                  zestovar::test::buildEntry(zestovar::test::named("Tomatensuppe", "Suppe"))}}) {
    main().Suppen1->trigger();
    recipes().SpeedButton1Click();
    recipes().SpeedButton1Click();
  }
};

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
  void screenReaderReadsTheGivenNames();
  void everyNamedControlOfEveryWindowHasAName();
  void standardDialogsSpeakGerman();
  void errorEscapingHandlerIsShownAndProgramKeepsRunning();
};

void ProgramTest::screenReaderReadsTheGivenNames() {
  TwoSoups started;
  TForm1& form = started.program.mainWindow();
  QCOMPARE(started.prompts().shown().size(), 0);

  for (const auto& [objectName, name] : kAccessibleNames) {
    QObject* object = form.findChild<QObject*>(objectName);
    QVERIFY2(object != nullptr, qPrintable(objectName));
    QCOMPARE(accessibleName(object), name);
  }
  TForm4& preview = started.program.printPreview();
  for (const auto& [objectName, name] : kPrintPreviewNames) {
    QObject* object = preview.findChild<QObject*>(objectName);
    QVERIFY2(object != nullptr, qPrintable(objectName));
    QCOMPARE(accessibleName(object), name);
  }
  // The role of the count is the description, not its name.
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(form.StatusPanel1);
  QCOMPARE(status->text(QAccessible::Description), u"Anzahl der Rezepte"_qs);
}

void ProgramTest::everyNamedControlOfEveryWindowHasAName() {
  TwoSoups started;
  zestovar::app::Program& program = started.program;
  const QList<QWidget*> windows = {&program.mainWindow(),    &program.newsWindow(),  &program.aboutWindow(),
                                   &program.printPreview(),  &program.splash(),      &program.proxyWindow(),
                                   &program.optionsWindow(), &program.changeDialog()};
  int named = 0;
  for (QWidget* window : windows) {
    QList<QObject*> objects = window->findChildren<QObject*>();
    objects.prepend(window);
    for (QObject* object : objects) {
      const QString objectName = object->objectName();
      // Qt's own parts of a control carry no name or one of Qt's.
      if (objectName.isEmpty() || objectName.startsWith(u"qt_"_qs)) continue;
      if (!object->isWidgetType() && qobject_cast<QAction*>(object) == nullptr) continue;
      ++named;
      const QString name = accessibleName(object);
      QVERIFY2(!name.isEmpty(), qPrintable(objectName));
      if (const auto* label = qobject_cast<QLabel*>(object); label != nullptr && !label->text().isEmpty())
        QCOMPARE(name, label->text());
    }
  }
  QVERIFY(named > int(kAccessibleNames.size()));
}

void ProgramTest::standardDialogsSpeakGerman() {
  QPrintPreviewDialog dialog;
  QCOMPARE(dialog.windowTitle(), u"Druckvorschau"_qs);
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
  QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Error), QStringList{u"Datei für Rezepte fehlt"_qs});
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
