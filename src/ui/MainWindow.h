// What a page of the main window and the other windows see of the program: the main window's state and
// the few things it does for them. The main window implements it; no page knows another page, and a
// page that needs another window is given it when the program builds it.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/RecipeStore.h"
#include "ui/Guarded.h"
#include "ui/Prompts.h"

namespace zestovar::ui {

class MainWindow {
 public:
  // The five main tabs in their order, then the three inner tabs of the main tab "Rezept" in theirs.
  enum Tab {
    kTabRecipe,
    kTabUpdate,
    kTabPublish,
    kTabEditor,
    kTabShopping,
    kInnerRecipe,
    kInnerSearch,
    kInnerBookmarks
  };
  // The three recipe lists: browse list, result list, bookmark list.
  enum class RecipeList { Browse, Result, Bookmark };
  enum class Item { Selected, First };

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

  // Show recipe: writes "Rezept.htm" and "Image.jpg" and shows the page.
  virtual void showRecipe(const QString& name) = 0;
  // Brings a tab to the front; an inner tab brings the main tab "Rezept" with it. Switching from code
  // runs no tab change handling; only a switch by hand does.
  virtual void showTab(Tab tab) = 0;
  // Lists the current category into the browse list again; on an error the list keeps the names
  // found before it. Returns the number of names without letter items.
  virtual std::size_t listCurrentCategory() = 0;

  // The text of a recipe list's selected or first item; nothing when there is none.
  virtual std::optional<QString> recipeName(RecipeList list, Item item) const = 0;
  // Puts the names (Windows-1252) into a recipe list in the order given, in place of the names it showed.
  virtual void setNames(RecipeList list, const std::vector<std::string>& names) = 0;
  // Takes the selected item out of a recipe list; returns the names (Windows-1252) left in it.
  virtual std::vector<std::string> removeSelected(RecipeList list) = 0;

  // Whether a transfer with the recipe web site or the mail server is on its way. While one runs (the
  // windows handle their events between its slices), actions that change the recipe files or the side
  // files and other transfers are ignored.
  virtual bool transferRunning() const = 0;
};

}  // namespace zestovar::ui
