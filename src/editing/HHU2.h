// The change dialog TForm14, shown modal: "Ändern" of a list menu loads a recipe into it, and
// "Speichern" replaces the recipe's entry with the fields shown.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

#include "editing/RecipeForm.h"
#include "ui/MainWindow.h"

class TForm14 : public QDialog {
  Q_OBJECT

 public:
  TForm14(zestovar::ui::MainWindow& main, QWidget* parent = nullptr);

  // Load into change dialog: the last entry carrying the name (Windows-1252) decides what the
  // dialog shows; without one it keeps what it showed before. The entry's picture is written to
  // "IM1.jpg" in the program directory and becomes the dialog picture path.
  void load(const std::string& name);

  // A category chosen with the mouse: fill the subcategory list.
  void ComboBox3Change();
  // "Bild laden", "kein Bild", "Speichern".
  void Button1Click();
  void Button2Click();
  void Button5Click();
  // "Nicht ändern", the close box and Escape: the close question decides whether the dialog
  // closes.
  void reject() override;

  // The dialog picture path: the picture file the next save stores; empty for none.
  const QString& picturePath() const { return form_.picturePath(); }
  const zestovar::editing::RecipeForm& form() const { return form_; }

  QComboBox* ComboBox3;
  QListWidget* CheckListBox1;
  QLabel *Label4, *Label5;
  QComboBox *ComboBox5, *ComboBox1;
  QPlainTextEdit *Memo2, *Memo1;
  QLabel* Image1;
  QPushButton *Button1, *Button2, *Button5, *Button4;

 private:
  zestovar::ui::MainWindow& main_;
  QHBoxLayout* row_;  // made before the form, which is built into it
  zestovar::editing::RecipeForm form_;
};
