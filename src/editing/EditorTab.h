// The main tab "Hinzufügen" (TabSheet4): the recipe editor. It also carries what the list menus of
// the recipe lists ask of editing: "Entfernen" (delete the recipe) and "Ändern" (the change dialog).
#pragma once

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "editing/RecipeForm.h"
#include "ui/Guarded.h"
#include "ui/MainWindow.h"
#include "ui/RecipeEditor.h"

class TForm14;
namespace zestovar::store {
class DeletedRecipes;
}

namespace zestovar::editing {

class EditorTab : public QWidget, public ui::RecipeEditor {
  Q_OBJECT

 public:
  // deleted: the deleted-recipes list that "Entfernen" adds to.
  EditorTab(ui::MainWindow& main, store::DeletedRecipes& deleted, QWidget* parent = nullptr);
  // The change dialog that "Ändern" opens; it is built after the pages.
  void setChangeDialog(TForm14* dialog) { changeDialog_ = dialog; }
  // Told by "Entfernen" after a deleted recipe left the result list or the bookmark list, with the
  // names (Windows-1252) left in that list.
  std::function<void(ui::MainWindow::RecipeList list, const std::vector<std::string>& left)> removedFromList;

  // Change of the category box: fill the subcategory list.
  void ComboBox3Change();
  // "Bild laden", "kein Bild", "Speichern".
  void BitBtn9Click();
  void BitBtn11Click();
  void BitBtn10Click();
  // A click into the ingredients memo and into the preparation memo.
  void Memo3Click();
  void Memo2Click();

  // The editor picture path: the picture file the next save stores; empty for none.
  const QString& picturePath() const { return form_.picturePath(); }
  const RecipeForm& form() const { return form_; }

  // ui::RecipeEditor
  bool holdsInput() const override { return form_.holdsInput(); }
  void fill(const store::NewRecipe& recipe, const QString& picturePath) override;

  // "Entfernen" and "Ändern" of the list menu of a recipe list.
  void EntfernenClick(ui::MainWindow::RecipeList list);
  void ndernClick(ui::MainWindow::RecipeList list);

  QLineEdit *Edit4, *Edit3;
  QComboBox *ComboBox5, *ComboBox3, *ComboBox4;
  QPlainTextEdit *Memo3, *Memo2;
  QListWidget* CheckListBox3;
  QLabel* Image1;
  QPushButton *BitBtn9, *BitBtn11, *BitBtn10;

 private:
  void connectControls();

  ui::MainWindow& main_;
  store::DeletedRecipes& deleted_;
  TForm14* changeDialog_ = nullptr;
  QHBoxLayout* row_;  // made before the form, which is built into it
  RecipeForm form_;
};

}  // namespace zestovar::editing
