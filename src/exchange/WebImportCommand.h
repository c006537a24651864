// "Datei" > "Rezept aus dem Internet ...": the recipe of a web page, fetched and read while the window
// stays responsive, filled into the recipe editor for the user to check and save.
#pragma once

#include <QObject>
#include <QString>

#include "exchange/WebImport.h"
#include "ui/MainWindow.h"
#include "ui/RecipeEditor.h"

namespace zestovar::exchange {

class WebImportCommand : public QObject {
  Q_OBJECT

 public:
  // fetch: the HTTP client's web profile.
  WebImportCommand(ui::MainWindow& main, ui::RecipeEditor& editor, WebFetch fetch, QObject* parent = nullptr);

  // Asks for the address (and, when the editor holds input, whether to replace it), then imports.
  void RezeptausdemInternet1Click();
  // Fetches the page and its first recipe's picture and fills the editor; an error leaves it as it was.
  void importAddress(const QString& typed);

  // Whether a fetch or the reading of its page is on its way.
  bool running() const { return running_; }
  // Ends the import on its way without filling the editor.
  void abort() { aborted_ = true; }

 private:
  std::vector<ForeignRecipe> readPage(const WebResource& page, ui::Progress& progress);
  QString keepPicture(const std::string& jpeg);

  ui::MainWindow& main_;
  ui::RecipeEditor& editor_;
  WebFetch fetch_;
  bool running_ = false;
  bool aborted_ = false;
};

}  // namespace zestovar::exchange
