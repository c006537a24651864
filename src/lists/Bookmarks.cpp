#include "lists/Bookmarks.h"

namespace zestovar::lists {

Bookmarks::Bookmarks(app::MainWindow& main, QObject* parent) : QObject(parent), main_(main) {}

void Bookmarks::AufdieMerklistesetzenClick(app::MainWindow::RecipeList) {}
void Bookmarks::VonderMerklistelschenClick(app::MainWindow::RecipeList) {}
void Bookmarks::PageControl2Change() {}

}  // namespace zestovar::lists
