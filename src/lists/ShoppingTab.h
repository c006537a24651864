// The main tab "Einkaufsliste" (TabSheet5): the shopping list, kept in "EList.dat".
#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "ui/Guarded.h"
#include "ui/MainWindow.h"

class TForm4;

namespace zestovar::lists {

class ShoppingTab : public QWidget {
  Q_OBJECT

 public:
  explicit ShoppingTab(ui::MainWindow& main, QWidget* parent = nullptr);
  // The print preview that "Einkaufliste drucken" opens; it is built after the pages.
  void setPrintPreview(TForm4* preview) { preview_ = preview; }

  // Start-up: "EList.dat" into the list, one item a line, when it exists.
  void loadShoppingList();

  // "Hinzufügen" beside "Zutat:", "Einkaufliste drucken", "Einkaufliste löschen".
  void Button6Click();
  void Button5Click();
  void Button7Click();
  // "entfernen" of the list's menu, and a key released on the list.
  void Entfernen4Click();
  void ListBox2KeyUp(int key);
  // "Zutaten zur Einkaufsliste hinzufügen" of the list menu of a recipe list.
  void ZutatenzurEinkaufslistehinzufgenClick(ui::MainWindow::RecipeList list);
  // "Zur Einkaufsliste" above the recipe page: the block of the recipe shown, scaled by factor.
  void addRecipeBlock(const QString& name, double factor);

  QListWidget* ListBox2;
  QMenu* PopupMenu4;
  QAction* Entfernen4;
  QLabel* Label13;
  QLineEdit* Edit6;
  QPushButton *Button6, *Button5, *Button7;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The lines of the list (Windows-1252), and "EList.dat" written from them.
  std::vector<std::string> shoppingLines() const;
  void writeShoppingList();
  void appendLines(const std::vector<std::string>& lines);

  ui::MainWindow& main_;
  TForm4* preview_ = nullptr;
};

}  // namespace zestovar::lists
