// The program's windows, built in their order of start-up and wired together: the only place that
// knows every subsystem.
#pragma once

#include <filesystem>
#include <memory>

#include "ui/Prompts.h"

class TForm1;
class TForm4;
class TForm7;
class TForm11;
class TForm12;
class TForm14;
class TForm17;
class TInfoForm;

namespace zestovar::store {
class DeletedRecipes;
}
namespace zestovar::views {
class RecipeTab;
}
namespace zestovar::editing {
class EditorTab;
}
namespace zestovar::exchange {
class ImportCommand;
class WebImportCommand;
}  // namespace zestovar::exchange
namespace zestovar::lists {
class Bookmarks;
class ShoppingTab;
}  // namespace zestovar::lists
namespace zestovar::online {
class HttpClient;
class PublishTab;
class RecipeMail;
class SmtpClient;
class UpdateTab;
}  // namespace zestovar::online

namespace zestovar::app {

class Program {
 public:
  // Builds every window, hidden, and runs the main window's creation handling; the splash window
  // blocks for splashMs while it is created.
  Program(std::filesystem::path programDir, ui::Prompts& prompts, int splashMs);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Shows the main window.
  void show();

  TForm1& mainWindow() { return *mainWindow_; }
  store::DeletedRecipes& deletedRecipes() { return *deletedRecipes_; }
  online::HttpClient& http() { return *http_; }
  online::SmtpClient& smtp() { return *smtp_; }
  online::RecipeMail& recipeMail() { return *recipeMail_; }
  views::RecipeTab& recipeTab() { return *recipeTab_; }
  online::UpdateTab& updateTab() { return *updateTab_; }
  online::PublishTab& publishTab() { return *publishTab_; }
  editing::EditorTab& editorTab() { return *editorTab_; }
  lists::ShoppingTab& shoppingTab() { return *shoppingTab_; }
  lists::Bookmarks& bookmarks() { return *bookmarks_; }
  exchange::ImportCommand& importCommand() { return *importCommand_; }
  exchange::WebImportCommand& webImportCommand() { return *webImportCommand_; }
  TForm7& newsWindow() { return *newsWindow_; }
  TInfoForm& aboutWindow() { return *aboutWindow_; }
  TForm4& printPreview() { return *printPreview_; }
  TForm11& splash() { return *splash_; }
  TForm17& proxyWindow() { return *proxyWindow_; }
  TForm12& optionsWindow() { return *optionsWindow_; }
  TForm14& changeDialog() { return *changeDialog_; }

 private:
  void buildPages();
  void connectPages();
  // Gives the pages the windows built after them, and connects the menu entries that show a window.
  void connectWindows();

  ui::Prompts& prompts_;
  std::unique_ptr<online::HttpClient> http_;
  std::unique_ptr<online::SmtpClient> smtp_;
  std::unique_ptr<TForm1> mainWindow_;
  std::unique_ptr<store::DeletedRecipes> deletedRecipes_;
  // The pages belong to the main window once handed to it.
  views::RecipeTab* recipeTab_ = nullptr;
  online::UpdateTab* updateTab_ = nullptr;
  online::PublishTab* publishTab_ = nullptr;
  online::RecipeMail* recipeMail_ = nullptr;
  editing::EditorTab* editorTab_ = nullptr;
  lists::ShoppingTab* shoppingTab_ = nullptr;
  lists::Bookmarks* bookmarks_ = nullptr;
  exchange::ImportCommand* importCommand_ = nullptr;
  exchange::WebImportCommand* webImportCommand_ = nullptr;
  std::unique_ptr<TForm7> newsWindow_;
  std::unique_ptr<TInfoForm> aboutWindow_;
  std::unique_ptr<TForm4> printPreview_;
  std::unique_ptr<TForm11> splash_;
  std::unique_ptr<TForm17> proxyWindow_;
  std::unique_ptr<TForm12> optionsWindow_;
  std::unique_ptr<TForm14> changeDialog_;
};

}  // namespace zestovar::app
