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

#include <string>
#include <vector>

#include "online/HttpClient.h"
#include "online/ListPage.h"
#include "ui/Guarded.h"
#include "ui/MainWindow.h"

class TForm7;
namespace zestovar::store {
class DeletedRecipes;
}

namespace zestovar::online {

class UpdateTab : public QWidget {
  Q_OBJECT

 public:
  // siteUrl: scheme and host of the recipe web site, without a slash at the end; deleted: the recipes
  // the check does not offer.
  UpdateTab(ui::MainWindow& main, HttpClient& http, const store::DeletedRecipes& deleted, std::string siteUrl,
            QWidget* parent = nullptr);
  // The news window that shows the news page of a check; it is built after the pages.
  void setNewsWindow(TForm7* news) { news_ = news; }

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
  // The order of the view by the sort column: below 0 when a stands before b.
  int ListView2Compare(const QTreeWidgetItem* a, const QTreeWidgetItem* b) const;
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

  // Another recipe web site than the build's (a test's server).
  void setSiteUrl(std::string siteUrl) { siteUrl_ = std::move(siteUrl); }
  // The recipes offered by the last check (the list page without what is known here), less those
  // downloaded since.
  const std::vector<ListRecord>& offer() const { return offer_; }

 private:
  void connectControls();
  // The check of "Nach neuen Rezepten suchen".
  void check();
  // The filter name of the chosen radio button ("Alle" or a category name, Windows-1252).
  std::string filterName() const;
  void categoryFilter(const std::string& filter);
  // Fills the view with the records of the offer given by their places, sorted by name; each item holds
  // its record's five lines, the download address in the hidden column.
  void fillView(const std::vector<std::size_t>& records);
  void sortView();
  // The sort column, 0 ("Name") for any other number.
  int sortKeyColumn() const;
  void setButtonsEnabled(bool enabled);
  // Downloads the ticked recipes into the update recipe file; false when "Abbrechen" stopped it.
  bool downloadTicked();
  // A downloaded recipe leaves the offer and the view, so it is never downloaded a second time.
  void forgetDownloaded(const std::string& address);

  ui::MainWindow& main_;
  HttpClient& http_;
  const store::DeletedRecipes& deleted_;
  TForm7* news_ = nullptr;
  std::string siteUrl_;
  std::vector<ListRecord> offer_;
  int sortColumn_ = 0;
  bool cancelled_ = false;
};

}  // namespace zestovar::online
