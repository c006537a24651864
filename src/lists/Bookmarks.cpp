#include "lists/Bookmarks.h"

#include "lists/BookmarkList.h"
#include "store/BrowseOrder.h"
#include "store/FileIo.h"
#include "store/SideFile.h"
#include "ui/TextCodec.h"

namespace zestovar::lists {

using RecipeList = ui::MainWindow::RecipeList;

Bookmarks::Bookmarks(ui::MainWindow& main, QObject* parent) : QObject(parent), main_(main) {}

void Bookmarks::AufdieMerklistesetzenClick(RecipeList list) {
  if (main_.transferRunning()) return;
  const std::optional<QString> name = main_.recipeName(list, ui::MainWindow::Item::Selected);
  if (!name) return;
  std::vector<std::string> lines = store::readSideFile(main_.files(), main_.programDir(), store::kBookmarksFileName);
  addBookmark(lines, ui::toCp1252(*name));
  store::writeSideFile(main_.files(), main_.programDir(), store::kBookmarksFileName, lines);
}

void Bookmarks::VonderMerklistelschenClick(RecipeList list) {
  if (main_.transferRunning()) return;
  const std::optional<QString> name = main_.recipeName(list, ui::MainWindow::Item::Selected);
  if (!name) return;
  std::vector<std::string> lines;
  // Without a bookmark file there is nothing to unbookmark, and no file is made for it.
  if (main_.files().exists(store::resolveProgramFile(main_.files(), main_.programDir(), store::kBookmarksFileName))) {
    lines = store::readSideFile(main_.files(), main_.programDir(), store::kBookmarksFileName);
    removeBookmark(lines, ui::toCp1252(*name));
    store::writeSideFile(main_.files(), main_.programDir(), store::kBookmarksFileName, lines);
  }
  fillBookmarkList(std::move(lines));
}

void Bookmarks::PageControl2Change() { showBookmarkList(); }

void Bookmarks::showBookmarkList() {
  // Emptied first: a file that cannot be read leaves no stale names behind.
  main_.setNames(RecipeList::Bookmark, {});
  fillBookmarkList(store::readSideFile(main_.files(), main_.programDir(), store::kBookmarksFileName));
}

void Bookmarks::fillBookmarkList(std::vector<std::string> names) {
  store::sortBrowseList(names);
  main_.setNames(RecipeList::Bookmark, names);
}

void Bookmarks::removedFromList(RecipeList list, const std::vector<std::string>& left) {
  if (list == RecipeList::Bookmark)
    store::writeSideFile(main_.files(), main_.programDir(), store::kBookmarksFileName, left);
}

}  // namespace zestovar::lists
