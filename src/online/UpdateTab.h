// The main tab "Datenbank updaten" (TabSheet2): the recipes the recipe web site offers, narrowed by
// category and subcategory, downloaded into the update recipe file.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

#include "app/Guarded.h"
#include "app/MainWindow.h"

namespace zestovar::online {

class UpdateTab : public QWidget {
  Q_OBJECT

 public:
  explicit UpdateTab(app::MainWindow& main, QWidget* parent = nullptr);

  // "Nach neuen Rezepten suchen".
  void BitBtn8Click();
  // The category filters "Vorspeisen" .. "Getränke" and "Alle".
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioButton3Click();
  void RadioButton4Click();
  void RadioButton5Click();
  void RadioButton6Click();
  void RadioButton7Click();
  // Subcategory filter, and its "Alles/Nichts auswählen".
  void CheckListBox2ClickCheck();
  void SpeedButton3Click();
  void ListView2ColumnClick(int column);
  // "OK" (download), "Abbrechen", "Alles auswählen", "Nichts auswählen".
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn4Click();

  QTreeWidget* ListView2;
  QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn8;
  QFrame* Panel2;
  QGroupBox* GroupBox1;
  QRadioButton *RadioButton7, *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4, *RadioButton5, *RadioButton6;
  QToolButton* SpeedButton3;
  QListWidget* CheckListBox2;

 private:
  void connectControls();

  app::MainWindow& main_;
};

}  // namespace zestovar::online
