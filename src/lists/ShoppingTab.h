// The main tab "Einkaufsliste" (TabSheet5): the shopping list, kept in "EList.dat".
#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <optional>
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
  ~ShoppingTab() override;
  // The print preview that "Einkaufliste drucken" opens; it is built after the pages.
  void setPrintPreview(TForm4* preview) { preview_ = preview; }

  // Start-up: "EList.dat" into the list, one item a line, when it exists.
  void loadShoppingList();

  // "Hinzufügen" beside "Zutat:", "Einkaufliste drucken", "Einkaufliste löschen".
  void Button6Click();
  void Button5Click();
  void Button7Click();
  // "Zusammenfassen" adds up the lines of one ingredient; "Rückgängig" takes the list back to what it
  // was before, until the list changes otherwise.
  void ZusammenfassenClick();
  void RueckgaengigClick();
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
  QPushButton *ButtonZusammenfassen, *ButtonRueckgaengig;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The lines of the list (Windows-1252), and "EList.dat" written from them.
  std::vector<std::string> shoppingLines() const;
  void writeShoppingList();
  void appendLines(const std::vector<std::string>& lines);
  // Writes lines to "EList.dat", then shows them: a failed write leaves list and file as they were.
  void replaceLines(const std::vector<std::string>& lines);
  void forgetMerge();

  ui::MainWindow& main_;
  TForm4* preview_ = nullptr;
  // The list as it was before the last merge, in memory only.
  std::optional<std::vector<std::string>> beforeMerge_;
  bool replacing_ = false;
};

}  // namespace zestovar::lists
