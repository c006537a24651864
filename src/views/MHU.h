// The main window TForm1: the frame of the program. It holds the main menu, the status bar, the page
// control with the five main tabs, the start-up, and the program-wide state that the pages reach
// through ui::MainWindow.
#pragma once

#include <QAction>
#include <QByteArray>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "store/RecipeStore.h"
#include "ui/Guarded.h"
#include "ui/MainWindow.h"
#include "ui/Prompts.h"

namespace zestovar::views {
class RecipeTab;
}

class TForm1 : public QMainWindow, public zestovar::ui::MainWindow {
  Q_OBJECT

 public:
  // Builds the frame; the pages follow with setPages, then the creation handling (FormCreate).
  TForm1(std::filesystem::path programDir, zestovar::ui::Prompts& prompts, QWidget* parent = nullptr);
  ~TForm1() override;

  // The five main tabs in their order; the window owns them from here on.
  struct Pages {
    zestovar::views::RecipeTab* recipe;
    QWidget *update, *publish, *editor, *shopping;
  };
  void setPages(const Pages& pages);
  // Start-up steps that belong to other parts of the program: loading the proxy settings (step 1),
  // the shopping list (step 3) and the deleted-recipes list.
  struct StartupHooks {
    std::function<void()> loadProxySettings;
    std::function<void()> loadShoppingList;
    std::function<void()> loadDeletedRecipes;
  };
  void setStartupHooks(StartupHooks hooks) { hooks_ = std::move(hooks); }
  // Tells whether a transfer is on its way (the network belongs to another part of the program).
  void setTransferRunning(std::function<bool()> running) { transferRunning_ = std::move(running); }

  // Creation handling, each step in its own error scope.
  void FormCreate();

  // ui::MainWindow
  const std::filesystem::path& programDir() const override { return programDir_; }
  zestovar::store::Files& files() override { return *files_; }
  zestovar::store::RecipeStore& store() override;
  zestovar::ui::Prompts& prompts() override { return prompts_; }
  void showRecipe(const QString& name) override;
  void showTab(Tab tab) override;
  std::size_t listCurrentCategory() override;
  std::optional<QString> recipeName(RecipeList list, Item item) const override;
  void setNames(RecipeList list, const std::vector<std::string>& names) override;
  std::vector<std::string> removeSelected(RecipeList list) override;
  bool transferRunning() const override { return transferRunning_ && transferRunning_(); }

  QMenuBar* MainMenu1;
  QMenu *Datei1, *Kategorie1, *Optionen1, *Datenbank1, *N1;
  QAction *Drucken1, *Rezepteimportieren1, *RezeptausdemInternet1, *Beenden1;
  QAction *Vorspeise1, *Suppen1, *Hauptgerichte1, *Backwaren1, *Dessert1, *Getrnke1;
  QAction *Suchen1, *AlseMailversenden1, *Proxy1, *Optionen2;
  QAction *Updaten1, *Rezepteonlinestellen1, *Einkaufsliste1, *Hinzufgen1, *Merkliste1;
  QAction *Hilfe1, *N2;
  QStatusBar* StatusBar1;
  QLabel* StatusPanel1;
  QTabWidget* PageControl1;
  QWidget *TabSheet1, *TabSheet2, *TabSheet3, *TabSheet4, *TabSheet5;

 signals:
  // The main window was closed: the program ends.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void connectMenu();
  void runStep(const std::function<void()>& step);
  void openStore();

  std::filesystem::path programDir_;
  zestovar::ui::Prompts& prompts_;
  // The side files are read with the same files as the recipe files, also when those cannot be opened.
  std::shared_ptr<zestovar::store::Files> files_ = zestovar::store::diskFiles();
  zestovar::views::RecipeTab* recipeTab_ = nullptr;
  StartupHooks hooks_;
  std::function<bool()> transferRunning_;
  std::unique_ptr<zestovar::store::RecipeStore> store_;
};
