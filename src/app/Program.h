// The program's windows, built in their order of start-up and wired together: the only place that
// knows every subsystem.
#pragma once

#include <filesystem>
#include <memory>

#include "app/Prompts.h"

class TForm1;
class TForm4;
class TForm7;
class TForm11;
class TForm12;
class TForm14;
class TForm17;
class TInfoForm;

namespace zestovar::views {
class RecipeTab;
}
namespace zestovar::editing {
class EditorTab;
}
namespace zestovar::exchange {
class ImportCommand;
}
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
  Program(std::filesystem::path programDir, Prompts& prompts, int splashMs);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  TForm1& form1() { return *form1_; }
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
  TForm7& form7() { return *form7_; }
  TInfoForm& infoForm() { return *infoForm_; }
  TForm4& form4() { return *form4_; }
  TForm11& form11() { return *form11_; }
  TForm17& form17() { return *form17_; }
  TForm12& form12() { return *form12_; }
  TForm14& form14() { return *form14_; }

 private:
  void buildPages();
  void connectPages();

  Prompts& prompts_;
  std::unique_ptr<online::HttpClient> http_;
  std::unique_ptr<online::SmtpClient> smtp_;
  std::unique_ptr<TForm1> form1_;
  // The pages belong to the main window once handed to it.
  views::RecipeTab* recipeTab_ = nullptr;
  online::UpdateTab* updateTab_ = nullptr;
  online::PublishTab* publishTab_ = nullptr;
  online::RecipeMail* recipeMail_ = nullptr;
  editing::EditorTab* editorTab_ = nullptr;
  lists::ShoppingTab* shoppingTab_ = nullptr;
  lists::Bookmarks* bookmarks_ = nullptr;
  exchange::ImportCommand* importCommand_ = nullptr;
  std::unique_ptr<TForm7> form7_;
  std::unique_ptr<TInfoForm> infoForm_;
  std::unique_ptr<TForm4> form4_;
  std::unique_ptr<TForm11> form11_;
  std::unique_ptr<TForm17> form17_;
  std::unique_ptr<TForm12> form12_;
  std::unique_ptr<TForm14> form14_;
};

}  // namespace zestovar::app
