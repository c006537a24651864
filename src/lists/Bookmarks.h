// The bookmark list: the user's favourite recipe names, kept in "Merklist.dat" and shown in the
// bookmark list of the inner tab "Merkliste", which it reaches through the main window.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "ui/MainWindow.h"

namespace zestovar::lists {

class Bookmarks : public QObject {
  Q_OBJECT

 public:
  explicit Bookmarks(ui::MainWindow& main, QObject* parent = nullptr);

  // "Auf die Merkliste setzen" and "Von der Merkliste löschen" of the list menu of a recipe list.
  void AufdieMerklistesetzenClick(ui::MainWindow::RecipeList list);
  void VonderMerklistelschenClick(ui::MainWindow::RecipeList list);
  // The bookmark tab brought to the front by hand, or "Datenbank" > "Merkliste": shows the bookmark
  // list.
  void PageControl2Change();
  // Fills the bookmark list anew from "Merklist.dat".
  void showBookmarkList();
  // A deleted recipe was taken out of a recipe list: from the bookmark list, the names left in it
  // are the bookmarks.
  void removedFromList(ui::MainWindow::RecipeList list, const std::vector<std::string>& left);

 private:
  // The shown list: the names sorted as every recipe list is.
  void fillBookmarkList(std::vector<std::string> names);

  ui::MainWindow& main_;
};

}  // namespace zestovar::lists
