// The whole program as a screen reader and the user meet it: every window built by the program,
// the names read aloud, Qt's own dialogs in German, and errors that escape a handler.
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "ProgramFixture.h"
#include "StoreFixtures.h"
#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "editing/HHU2.h"
#include "lists/VHU.h"
#include "online/NHU.h"
#include "online/ProxE.h"
#include "store/Errors.h"
#include "ui/Application.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"
#include "views/Splash.h"

using zestovar::test::pathOf;
using zestovar::test::StartedProgram;
using zestovar::ui::ScriptedPrompts;

namespace {

// What a screen reader reads for each control of the main window: the caption, the label beside
// it, or a short description of its role. A label reads the text it shows; on Linux a combo box
// reads its text too, and the label beside it comes as a relation.
const std::map<QString, QString> kAccessibleNames = {
    {u"Form1"_qs, u"Quenna's Zestovar"_qs},
    {u"MainMenu1"_qs, u"Hauptmenü"_qs},
    {u"Datei1"_qs, u"Datei"_qs},
    {u"Drucken1"_qs, u"Drucken"_qs},
    {u"Beenden1"_qs, u"Beenden"_qs},
    {u"Kategorie1"_qs, u"Kategorie"_qs},
    {u"Vorspeise1"_qs, u"Vorspeise"_qs},
    {u"Suppen1"_qs, u"Suppen"_qs},
    {u"Hauptgerichte1"_qs, u"Hauptgerichte"_qs},
    {u"Backwaren1"_qs, u"Backwaren"_qs},
    {u"Dessert1"_qs, u"Dessert"_qs},
    {u"Getrnke1"_qs, u"Getränke"_qs},
    {u"Optionen1"_qs, u"Optionen"_qs},
    {u"Suchen1"_qs, u"Suchen"_qs},
    {u"AlseMailversenden1"_qs, u"Als eMail versenden"_qs},
    {u"Proxy1"_qs, u"Proxy"_qs},
    {u"Optionen2"_qs, u"Optionen"_qs},
    {u"Datenbank1"_qs, u"Datenbank"_qs},
    {u"Updaten1"_qs, u"Updaten"_qs},
    {u"Rezepteonlinestellen1"_qs, u"Rezepte online stellen"_qs},
    {u"Einkaufsliste1"_qs, u"Einkaufsliste"_qs},
    {u"Hinzufgen1"_qs, u"Hinzufügen"_qs},
    {u"Merkliste1"_qs, u"Merkliste"_qs},
    {u"N1"_qs, u"?"_qs},
    {u"Hilfe1"_qs, u"Hilfe"_qs},
    {u"N2"_qs, u"?"_qs},
    {u"StatusBar1"_qs, u"Statusleiste"_qs},
    {u"StatusPanel1"_qs, u"2 Rezepte"_qs},
    {u"PageControl1"_qs, u"Hauptseiten"_qs},
    // "Rezept"
    {u"TabSheet1"_qs, u"Rezept"_qs},
    {u"Panel1"_qs, u"Rezeptauswahl"_qs},
    {u"PageControl2"_qs, u"Rezeptauswahl"_qs},
    {u"WebBrowser1"_qs, u"Rezeptseite"_qs},
    {u"TabSheet6"_qs, u"Rezept"_qs},
    {u"ComboBox1"_qs, u"Suppe"_qs},
    {u"SpeedButton1"_qs, u"Alles/Nichts auswählen"_qs},
    {u"Splitter1"_qs, u"Teiler"_qs},
    {u"CheckListBox1"_qs, u"Unterkategorien"_qs},
    {u"ListBox3"_qs, u"Rezepte"_qs},
    {u"TabSheet7"_qs, u"Suchen"_qs},
    {u"Edit5"_qs, u"Suchbegriff"_qs},
    {u"ComboBox2"_qs, u"Alle"_qs},
    {u"RadioGroup1"_qs, u"Suchart"_qs},
    {u"RadioButton8"_qs, u"Und-Suche"_qs},
    {u"RadioButton9"_qs, u"Oder-Suche"_qs},
    {u"Button3"_qs, u"Starten"_qs},
    {u"Splitter2"_qs, u"Teiler"_qs},
    {u"ListBox4"_qs, u"Suchergebnis"_qs},
    {u"TabSheet8"_qs, u"Merkliste"_qs},
    {u"ListBox5"_qs, u"Merkliste"_qs},
    {u"PopupMenu1"_qs, u"Rezeptmenü"_qs},
    {u"PopupMenu2"_qs, u"Rezeptmenü"_qs},
    {u"PopupMenu3"_qs, u"Rezeptmenü"_qs},
    {u"Entfernen1"_qs, u"Entfernen"_qs},
    {u"ndern2"_qs, u"Ändern"_qs},
    {u"AufdieMerklistesetzen3"_qs, u"Auf die Merkliste setzen"_qs},
    {u"VonderMerklistelschen1"_qs, u"Von der Merkliste löschen"_qs},
    {u"ZutatenzurEinkaufslistehinzufgen2"_qs, u"Zutaten zur Einkaufsliste hinzufügen"_qs},
    {u"ZutatenzurEinkaufslistehinzufgen3"_qs, u"Zutaten zur Einkaufsliste hinzufügen"_qs},
    // "Datenbank updaten"
    {u"TabSheet2"_qs, u"Datenbank updaten"_qs},
    {u"ListView2"_qs, u"Angebotene Rezepte"_qs},
    {u"BitBtn1"_qs, u"OK"_qs},
    {u"BitBtn2"_qs, u"Abbrechen"_qs},
    {u"BitBtn3"_qs, u"Alles auswählen"_qs},
    {u"BitBtn4"_qs, u"Nichts auswählen"_qs},
    {u"Panel2"_qs, u"Auswahl der Rezepte"_qs},
    {u"BitBtn8"_qs, u"Nach neuen Rezepten suchen"_qs},
    {u"GroupBox1"_qs, u"Kategorie"_qs},
    {u"RadioButton7"_qs, u"Alle"_qs},
    {u"RadioButton1"_qs, u"Vorspeisen"_qs},
    {u"RadioButton2"_qs, u"Suppen"_qs},
    {u"RadioButton3"_qs, u"Hauptgerichte"_qs},
    {u"RadioButton4"_qs, u"Desserts"_qs},
    {u"RadioButton5"_qs, u"Backwaren"_qs},
    {u"RadioButton6"_qs, u"Getränke"_qs},
    {u"SpeedButton3"_qs, u"Alles/Nichts auswählen"_qs},
    {u"CheckListBox2"_qs, u"Unterkategorien"_qs},
    // "Datenbank online stellen"
    {u"TabSheet3"_qs, u"Datenbank online stellen"_qs},
    {u"ListView3"_qs, u"Eigene Rezepte"_qs},
    {u"BitBtn5"_qs, u"OK"_qs},
    {u"BitBtn6"_qs, u"Alles auswählen"_qs},
    {u"BitBtn7"_qs, u"Nichts auswählen"_qs},
    // "Hinzufügen"
    {u"TabSheet4"_qs, u"Hinzufügen"_qs},
    {u"Label1"_qs, u"Rezeptname:"_qs},
    {u"Edit4"_qs, u"Rezeptname:"_qs},
    {u"Label2"_qs, u"Autor des Rezepts:"_qs},
    {u"Edit3"_qs, u"Autor des Rezepts:"_qs},
    {u"Label3"_qs, u"(Zutaten für "_qs},
    {u"ComboBox5"_qs, u"2"_qs},
    {u"Label6"_qs, u"Personen)"_qs},
    {u"Label7"_qs, u"Zutaten:"_qs},
    {u"Memo3"_qs, u"Zutaten:"_qs},
    {u"Label8"_qs, u"Zubereitung:"_qs},
    {u"Memo2"_qs, u"Zubereitung:"_qs},
    {u"Label9"_qs, u"Kategorie:"_qs},
    {u"ComboBox3"_qs, u"Kategorie wählen"_qs},
    {u"Label10"_qs, u"Unterkategorien:"_qs},
    {u"CheckListBox3"_qs, u"Unterkategorien:"_qs},
    {u"Label11"_qs, u"Herkunft:"_qs},
    {u"ComboBox4"_qs, u"keine Angabe"_qs},
    {u"Label12"_qs, u"Bild:"_qs},
    {u"Image1"_qs, u"Bild"_qs},
    {u"BitBtn9"_qs, u"Bild laden"_qs},
    {u"BitBtn11"_qs, u"kein Bild"_qs},
    {u"BitBtn10"_qs, u"Speichern"_qs},
    // The change dialog (a child of the main window); its controls whose names no page uses.
    {u"Form14"_qs, u"Quenna's Zestovar"_qs},
    {u"Panel6"_qs, u"Rezept"_qs},
    {u"Label4"_qs, u"Rezeptname"_qs},
    {u"Label5"_qs, u"Autor"_qs},
    {u"Memo1"_qs, u"Zubereitung:"_qs},
    {u"Panel7"_qs, u"Einordnung und Bild"_qs},
    {u"Button1"_qs, u"Bild laden"_qs},
    {u"Button2"_qs, u"kein Bild"_qs},
    {u"Button4"_qs, u"Nicht ändern"_qs},
    // "Einkaufsliste"
    {u"TabSheet5"_qs, u"Einkaufsliste"_qs},
    {u"ListBox2"_qs, u"Einkaufsliste"_qs},
    {u"PopupMenu4"_qs, u"Einkaufslistenmenü"_qs},
    {u"Entfernen4"_qs, u"entfernen"_qs},
    {u"Label13"_qs, u"Zutat:"_qs},
    {u"Edit6"_qs, u"Zutat:"_qs},
    {u"Button6"_qs, u"Hinzufügen"_qs},
    {u"Button5"_qs, u"Einkaufliste drucken"_qs},
    {u"Button7"_qs, u"Einkaufliste löschen"_qs},
};

// The print preview window of the shopping list.
const std::map<QString, QString> kPrintPreviewNames = {
    {u"Form4"_qs, u"Einkaufsliste"_qs},
    {u"PrintPage"_qs, u"Einkaufsliste"_qs},
    {u"Panel1"_qs, u"Druckleiste"_qs},
    {u"Label1"_qs, u"Drucken"_qs},
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
std::unique_ptr<StartedProgram> startOnTwoSoups(const QTemporaryDir& dir) {
  std::string soups;
  for (const char* name : {"Linsensuppe", "Tomatensuppe"})
    soups += zestovar::test::buildEntry(zestovar::test::named(name, "Suppe"));
  zestovar::test::writeFile(pathOf(dir) / "Zestovar.dat", soups);
  auto started = std::make_unique<StartedProgram>(pathOf(dir));
  started->program.mainWindow().Suppen1->trigger();
  started->program.recipeTab().SpeedButton1Click();
  started->program.recipeTab().SpeedButton1Click();
  return started;
}

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
  QTemporaryDir dir;
  const auto started = startOnTwoSoups(dir);
  TForm1& form = started->program.mainWindow();
  QCOMPARE(started->prompts.shown().size(), 0);

  for (const auto& [objectName, name] : kAccessibleNames) {
    QObject* object = objectName == u"Form1"_qs ? &form : form.findChild<QObject*>(objectName);
    QVERIFY2(object != nullptr, qPrintable(objectName));
    QCOMPARE(accessibleName(object), name);
  }
  TForm4& preview = started->program.printPreview();
  for (const auto& [objectName, name] : kPrintPreviewNames) {
    QObject* object = objectName == u"Form4"_qs ? &preview : preview.findChild<QObject*>(objectName);
    QVERIFY2(object != nullptr, qPrintable(objectName));
    QCOMPARE(accessibleName(object), name);
  }
  // The role of the count is the description, not its name.
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(form.StatusPanel1);
  QCOMPARE(status->text(QAccessible::Description), u"Anzahl der Rezepte"_qs);
}

void ProgramTest::everyNamedControlOfEveryWindowHasAName() {
  QTemporaryDir dir;
  const auto started = startOnTwoSoups(dir);
  zestovar::app::Program& program = started->program;
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
  auto* app = qobject_cast<zestovar::ui::Application*>(QCoreApplication::instance());
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
  zestovar::ui::Application app(argc, argv);
  ProgramTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ProgramTest.moc"
