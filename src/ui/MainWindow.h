// What a page of the main window and the other windows see of the program: the main window's state and
// the few things it does for them. The main window implements it; no page knows another page.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/RecipeStore.h"
#include "ui/Guarded.h"
#include "ui/Prompts.h"

class QListWidget;
class QWidget;

namespace zestovar::ui {

class MainWindow {
 public:
  enum MainTab { kTabRecipe = 0, kTabUpdate = 1, kTabPublish = 2, kTabEditor = 3, kTabShopping = 4 };
  enum InnerTab { kInnerRecipe = 0, kInnerSearch = 1, kInnerBookmarks = 2 };
  // The three recipe lists: browse list, result list, bookmark list.
  enum class RecipeList { Browse, Result, Bookmark };
  enum class Window { News, About, PrintPreview, Proxy, Options, Change };

  virtual ~MainWindow() = default;

  virtual const std::filesystem::path& programDir() const = 0;
  // How the program reaches its files; the side files are read and written through it.
  virtual store::Files& files() = 0;
  // The recipe store with the update recipe file kept open. When opening it failed at start-up, it
  // is opened again here, so the user sees why each action fails.
  virtual store::RecipeStore& store() = 0;
  virtual Prompts& prompts() = 0;
  // Wraps a handler for connect(): an error it raises is shown in the standard error box.
  template <typename F>
  auto handler(F f) {
    return guarded(prompts(), std::move(f));
  }

  // The category last chosen on the browse tab (Windows-1252).
  virtual const std::string& currentCategory() const = 0;
  virtual void setCurrentCategory(std::string category) = 0;
  // Name and author lines of deleted recipes (Windows-1252).
  virtual std::vector<std::string>& deletedRecipes() = 0;

  // Show recipe: writes "Rezept.htm" and "Image.jpg" and shows the page.
  virtual void showRecipe(const QString& name) = 0;
  // Switching from code runs no tab change handling; only a switch by hand does.
  virtual void showMainTab(MainTab tab) = 0;
  virtual void showInnerTab(InnerTab tab) = 0;
  // The main tab in front, and the inner tab of the main tab "Rezept" in front.
  virtual MainTab currentMainTab() const = 0;
  virtual InnerTab currentInnerTab() const = 0;
  // Lists the current category into the browse list again; on an error the list keeps the names
  // found before it. Returns the number of names without letter items.
  virtual std::size_t listCurrentCategory() = 0;

  virtual void setStatusText(const QString& text) = 0;
  virtual QString statusText() const = 0;

  // The text of a recipe list's selected item; nothing when none is selected.
  virtual std::optional<QString> selectedName(RecipeList list) const = 0;
  virtual QListWidget* recipeList(RecipeList list) = 0;

  // Whether a transfer with the recipe web site or the mail server is on its way. While one runs (the
  // windows handle their events between its slices), actions that change the recipe files or the side
  // files and other transfers are ignored.
  virtual bool transferRunning() const = 0;

  // The other windows; null before they are created.
  virtual QWidget* otherWindow(Window which) const = 0;
};

}  // namespace zestovar::ui
