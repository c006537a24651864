// Show recipe and its print preview.
#include <QPrinter>

#include "app/TextCodec.h"
#include "views/DefaultPicture.h"
#include "views/MHU.h"
#include "views/RecipePage.h"

void TForm1::showRecipe(const QString& name) {
  const std::filesystem::path page = zestovar::views::showRecipePage(
      store(), zestovar::app::toCp1252(name), zestovar::embedded::defaultPicture(),
      // A broken entry of the update recipe file is named by the name record read last.
      [this](const std::string& lastName) { prompts_.message(zestovar::app::fromCp1252(lastName)); });
  WebBrowser1->showFile(QString::fromStdString(page.string()));
}

void TForm1::Drucken1Click() {
  prompts_.printPreview([this](QPrinter* printer) { WebBrowser1->document()->print(printer); });
}
