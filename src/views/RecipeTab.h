// The main tab "Rezept" (TabSheet1): the left pane with the inner tabs "Rezept" (browsing), "Suchen"
// (search) and "Merkliste" (bookmark list), and the page viewer that shows the recipe page.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/Guarded.h"
#include "ui/MainWindow.h"
#include "ui/PageViewer.h"

namespace zestovar::views {

class RecipeTab : public QWidget {
  Q_OBJECT

 public:
  explicit RecipeTab(ui::MainWindow& main, QWidget* parent = nullptr);

  // Category change of the browse tab (RecipeTabBrowse.cpp).
  void ComboBox1Change();
  // "Kategorie" menu: the browse tab with the category chosen (a text of the category box).
  void chooseCategory(const QString& category);
  // Subcategory filter: a tick of CheckListBox1 changed.
  void CheckListBox1ClickCheck();
  // A click into the check list shows the main tab "Rezept".
  void CheckListBox1Click();
  // "Alles/Nichts auswählen".
  void SpeedButton1Click();
  // Click and key release of the three recipe lists: shows the selected recipe, if any.
  void showSelectedRecipe(QListWidget* list);
  // Lists the current category into the browse list; on an error the list keeps the names found
  // before it. Returns the number of names without letter items.
  std::size_t listCurrentCategory();

  // Show recipe: writes "Rezept.htm" and "Image.jpg" and shows the page (RecipeTabPage.cpp).
  void showRecipe(const QString& name);
  // "Datei" > "Drucken": the print preview of the shown page.
  void Drucken1Click();
  // The page shown again for the number of persons in "Personen".
  void PersonsBoxChange();
  // "Zur Einkaufsliste": asks for the shown recipe's block, its ingredient lines scaled as on the page.
  void ToShoppingListButtonClick();

  // Search tab (RecipeTabSearch.cpp): the click into the search text field and "Starten".
  void Edit5Click();
  void Button3Click();

  QListWidget* recipeList(ui::MainWindow::RecipeList list) const;
  // Puts names (Windows-1252) into a recipe list in the order given, in place of the names it showed.
  void setNames(ui::MainWindow::RecipeList list, const std::vector<std::string>& names);
  // The category last chosen on the browse tab (Windows-1252).
  const std::string& currentCategory() const { return currentCategory_; }

  QFrame* Panel1;
  QTabWidget* PageControl2;
  QWidget *TabSheet6, *TabSheet7, *TabSheet8;
  ui::PageViewer* WebBrowser1;
  QLabel* PersonsLabel;
  QSpinBox* PersonsBox;
  QPushButton* ToShoppingListButton;
  QComboBox* ComboBox1;
  QToolButton* SpeedButton1;
  QSplitter* Splitter1;
  QListWidget* CheckListBox1;
  QListWidget* ListBox3;
  QLineEdit* Edit5;
  QComboBox* ComboBox2;
  QGroupBox* RadioGroup1;
  QRadioButton *RadioButton8, *RadioButton9;
  QCheckBox* CheckBoxUmlaute;  // "ä = ae"
  QPushButton* Button3;
  QSplitter* Splitter2;
  QListWidget* ListBox4;
  QListWidget* ListBox5;
  // The list menu of a recipe list: the same five entries for ListBox3, ListBox4 and ListBox5.
  struct ListMenu {
    QMenu* menu;
    QAction *remove, *change, *bookmark, *unbookmark, *toShoppingList;
  };
  ListMenu PopupMenu1{}, PopupMenu2{}, PopupMenu3{};

 signals:
  // The subcategory filter counted the recipes it lists: the text for the status bar.
  void countShown(const QString& text);
  // "Zur Einkaufsliste": the recipe's block for the shopping list, its ingredient lines multiplied by factor.
  void shoppingBlockWanted(const QString& name, double factor);

 private:
  QWidget* buildBrowseTab();
  QWidget* buildSearchTab();
  QWidget* buildBookmarkTab();
  QWidget* buildPersonsBar();
  // The blank page: nothing to scale or to add to the shopping list.
  void blankPage();
  // Sets "Personen" to the recipe's own number, or disables it when its persons record gives none.
  void showPersons(const std::string& personsRecord, bool found);
  ListMenu buildListMenu(QListWidget* list, const char* menuName, int number);
  void connectBrowsing();
  void connectSearch();
  // Puts names (Windows-1252) into a recipe list in the order given.
  static void fillRecipeList(QListWidget* list, const std::vector<std::string>& names);

  ui::MainWindow& main_;
  std::string currentCategory_;
  // The recipe shown and the number of persons its persons record gives (0: none).
  QString shownName_;
  int ownPersons_ = 0;
};

}  // namespace zestovar::views
