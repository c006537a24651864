// The main window TForm1: start-up, the tabs, lists and menus, and the program-wide state.
//
// Control names (objectName; tests find the controls by these):
//
//   window                 MainMenu1 (menu bar), StatusBar1 (one simple panel: StatusPanel1), PageControl1
//   main tabs              TabSheet1 "Rezept", TabSheet2 "Datenbank updaten", TabSheet3 "Datenbank online
//                          stellen", TabSheet4 "Hinzufügen", TabSheet5 "Einkaufsliste"
//   menu "Datei"           Datei1: Drucken1, Beenden1
//   menu "Kategorie"       Kategorie1: Vorspeise1, Suppen1, Hauptgerichte1, Backwaren1, Dessert1, Getrnke1
//   menu "Optionen"        Optionen1: Suchen1, AlseMailversenden1, Proxy1, Optionen2
//   menu "Datenbank"       Datenbank1: Updaten1, Rezepteonlinestellen1, Einkaufsliste1, Hinzufgen1, Merkliste1
//   menu "?"               N1: Hilfe1, N2 ("?")
//   tab "Rezept"           Panel1 (left pane, 199 wide), PageControl2 (inner tabs), WebBrowser1 (page viewer)
//   inner tab "Rezept"     TabSheet6: ComboBox1 (category), SpeedButton1 "Alles/Nichts auswählen",
//                          Splitter1, CheckListBox1 (subcategories), ListBox3 (browse list, PopupMenu1)
//   inner tab "Suchen"     TabSheet7: Edit5 (search text), ComboBox2 (category), RadioGroup1 "Suchart" with
//                          RadioButton8 "Und-Suche" and RadioButton9 "Oder-Suche", Button3 "Starten",
//                          Splitter2, ListBox4 (result list, PopupMenu2)
//   inner tab "Merkliste"  TabSheet8: ListBox5 (bookmark list, PopupMenu3)
//   list menus             PopupMenu1: Entfernen1, ndern1, AufdieMerklistesetzen1, VonderMerklistelschen1,
//                          ZutatenzurEinkaufslistehinzufgen1; PopupMenu2 and PopupMenu3 the same entries
//                          numbered 2 and 3
//   "Datenbank updaten"    ListView2, BitBtn1 "OK", BitBtn2 "Abbrechen", BitBtn3 "Alles auswählen",
//                          BitBtn4 "Nichts auswählen", Panel2 (right pane): BitBtn8 "Nach neuen Rezepten
//                          suchen", GroupBox1 "Kategorie" with RadioButton7 "Alle", RadioButton1..6,
//                          SpeedButton3 "Alles/Nichts auswählen", CheckListBox2
//   "Datenbank online ..." ListView3, BitBtn5 "OK", BitBtn6 "Alles auswählen", BitBtn7 "Nichts auswählen"
//   "Hinzufügen"           Label1 "Rezeptname:" Edit4, Label2 "Autor des Rezepts:" Edit3, Label3 "(Zutaten
//                          für " ComboBox5 Label6 "Personen)", Label7 "Zutaten:" Memo3, Label8 "Zubereitung:"
//                          Memo2, Label9 "Kategorie:" ComboBox3, Label10 "Unterkategorien:" CheckListBox3,
//                          Label11 "Herkunft:" ComboBox4, Label12 "Bild:" Image1, BitBtn9 "Bild laden",
//                          BitBtn11 "kein Bild", BitBtn10 "Speichern"
//   "Einkaufsliste"        ListBox2 (PopupMenu4: Entfernen4 "entfernen"), Label13 "Zutat:" Edit6, Button6
//                          "Hinzufügen", Button5 "Einkaufliste drucken", Button7 "Einkaufliste löschen"
//
// Tabs switched from code (showMainTab, showInnerTab) emit no currentChanged, so a handler connected to
// currentChanged runs only for a switch by hand, as the tabs' change handling requires.
#pragma once

#include <QAction>
#include <QByteArray>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Prompts.h"
#include "store/RecipeStore.h"
#include "views/PageViewer.h"

class TForm4;
class TForm7;
class TForm12;
class TForm14;
class TForm17;
class TInfoForm;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Runs the creation handling (FormCreate) before it returns; the window stays hidden.
  TForm1(std::filesystem::path programDir, zestovar::app::Prompts& prompts, QWidget* parent = nullptr);
  ~TForm1() override;

  // Main tabs 0 "Rezept" .. 4 "Einkaufsliste", inner tabs 0 "Rezept", 1 "Suchen", 2 "Merkliste".
  enum MainTab { kTabRecipe = 0, kTabUpdate = 1, kTabPublish = 2, kTabEditor = 3, kTabShopping = 4 };
  enum InnerTab { kInnerRecipe = 0, kInnerSearch = 1, kInnerBookmarks = 2 };
  void showMainTab(int index);
  void showInnerTab(int index);

  // Program-wide state.
  const std::filesystem::path& programDir() const { return programDir_; }
  zestovar::app::Prompts& prompts() { return prompts_; }
  // The recipe store with the update recipe file kept open. When opening it failed at start-up, it
  // is opened again here, so the user sees why each action fails.
  zestovar::store::RecipeStore& store();
  const std::vector<std::string>& subcategoryTable() const { return subcategoryTable_; }
  // Name and author lines of deleted recipes (Windows-1252).
  std::vector<std::string>& deletedRecipes() { return deletedRecipes_; }
  const QString& version() const { return version_; }
  // The category last chosen on the browse tab (Windows-1252).
  const std::string& currentCategory() const { return currentCategory_; }
  // The JPEG written for a recipe without picture.
  const QByteArray& defaultPicture() const { return defaultPicture_; }
  void setStatusText(const QString& text);

  // Wraps a handler for connect(): an error it raises is shown in the standard error box.
  template <typename F>
  auto handler(F f) {
    return zestovar::app::guarded(prompts_, std::move(f));
  }
  QString statusText() const;

  // The other windows, created after this one (main.cpp); not owned.
  TForm7* Form7 = nullptr;
  TInfoForm* InfoForm = nullptr;
  TForm4* Form4 = nullptr;
  TForm17* Form17 = nullptr;
  TForm12* Form12 = nullptr;
  TForm14* Form14 = nullptr;

  // Creation handling, each step in its own error scope.
  void FormCreate();
  // Category change of the browse tab (Browsing.cpp).
  void ComboBox1Change();
  // "Kategorie" menu: the browse tab with the category chosen (a text of kCategoryNames).
  void chooseCategory(const QString& category);
  // Subcategory filter: a tick of CheckListBox1 changed (Browsing.cpp).
  void CheckListBox1ClickCheck();
  // A click into the check list shows the main tab "Rezept".
  void CheckListBox1Click();
  // "Alles/Nichts auswählen".
  void SpeedButton1Click();
  // Click and key release of the three recipe lists: shows the selected recipe, if any.
  void showSelectedRecipe(QListWidget* list);

  // Show recipe: writes "Rezept.htm" and "Image.jpg" and shows the page (ShowRecipe.cpp).
  void showRecipe(const QString& name);
  // "Datei" > "Drucken": the print preview of the shown page.
  void Drucken1Click();

  // Search tab (Search.cpp): the click into the search text field and "Starten".
  void Edit5Click();
  void Button3Click();

 signals:
  // The main window was closed: the program ends.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 public:
  // Controls, named as in the table above.
  QMenuBar* MainMenu1;
  QMenu *Datei1, *Kategorie1, *Optionen1, *Datenbank1, *N1;
  QAction *Drucken1, *Beenden1;
  QAction *Vorspeise1, *Suppen1, *Hauptgerichte1, *Backwaren1, *Dessert1, *Getrnke1;
  QAction *Suchen1, *AlseMailversenden1, *Proxy1, *Optionen2;
  QAction *Updaten1, *Rezepteonlinestellen1, *Einkaufsliste1, *Hinzufgen1, *Merkliste1;
  QAction *Hilfe1, *N2;
  QStatusBar* StatusBar1;
  QLabel* StatusPanel1;
  QTabWidget* PageControl1;
  QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4, *TabSheet5;

  QFrame* Panel1;
  QTabWidget* PageControl2;
  QWidget *TabSheet6, *TabSheet7, *TabSheet8;
  zestovar::views::PageViewer* WebBrowser1;
  QComboBox* ComboBox1;
  QToolButton* SpeedButton1;
  QSplitter* Splitter1;
  QListWidget* CheckListBox1;
  QListWidget* ListBox3;
  QLineEdit* Edit5;
  QComboBox* ComboBox2;
  QGroupBox* RadioGroup1;
  QRadioButton *RadioButton8, *RadioButton9;
  QPushButton* Button3;
  QSplitter* Splitter2;
  QListWidget* ListBox4;
  QListWidget* ListBox5;
  // The list menus of ListBox3, ListBox4 and ListBox5, in that order.
  struct ListMenu {
    QMenu* menu;
    QAction *remove, *change, *bookmark, *unbookmark, *toShoppingList;
  };
  ListMenu PopupMenu1{}, PopupMenu2{}, PopupMenu3{};

  QTreeWidget* ListView2;
  QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn8;
  QFrame* Panel2;
  QGroupBox* GroupBox1;
  QRadioButton *RadioButton7, *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6;
  QToolButton* SpeedButton3;
  QListWidget* CheckListBox2;

  QTreeWidget* ListView3;
  QPushButton *BitBtn5, *BitBtn6, *BitBtn7;

  QLabel *Label1, *Label2, *Label3, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11, *Label12;
  QLineEdit *Edit4, *Edit3;
  QComboBox *ComboBox5, *ComboBox3, *ComboBox4;
  QPlainTextEdit *Memo3, *Memo2;
  QListWidget* CheckListBox3;
  QLabel* Image1;
  QPushButton *BitBtn9, *BitBtn11, *BitBtn10;

  QListWidget* ListBox2;
  QMenu* PopupMenu4;
  QAction* Entfernen4;
  QLabel* Label13;
  QLineEdit* Edit6;
  QPushButton *Button6, *Button5, *Button7;

 private:
  void buildMenu();
  QWidget* buildRecipeTab();
  QWidget* buildUpdateTab();
  QWidget* buildPublishTab();
  QWidget* buildEditorTab();
  QWidget* buildShoppingTab();
  ListMenu buildListMenu(QListWidget* list, const char* menuName, int number);
  void connectMenu();
  void connectBrowsing();
  void connectSearch();
  // Lists the current category into the browse list (list names by category); on an error the
  // list keeps the names found before it. Returns the number of names without letter items.
  std::size_t listCurrentCategory();
  // Puts names (Windows-1252) into a recipe list in the order given.
  static void fillRecipeList(QListWidget* list, const std::vector<std::string>& names);

  // Creation handling steps.
  void runStep(const std::function<void()>& step);
  void loadProxySettings();
  void loadShoppingList();
  void loadDeletedRecipes();
  void openStore();

  std::filesystem::path programDir_;
  zestovar::app::Prompts& prompts_;
  // The side files are read with the same files as the recipe files, also when those cannot be opened.
  std::shared_ptr<zestovar::store::Files> files_ = zestovar::store::diskFiles();
  std::unique_ptr<zestovar::store::RecipeStore> store_;
  std::vector<std::string> subcategoryTable_;
  std::vector<std::string> deletedRecipes_;
  QString version_;
  std::string currentCategory_;
  QByteArray defaultPicture_;
};
