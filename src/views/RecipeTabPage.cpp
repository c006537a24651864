// Show recipe and its print preview.
#include <QPrinter>

#include "ui/TextCodec.h"
#include "views/DefaultPicture.h"
#include "views/RecipePage.h"
#include "views/RecipeTab.h"

namespace zestovar::views {

void RecipeTab::showRecipe(const QString& name) {
  const std::filesystem::path page =
      showRecipePage(main_.store(), ui::toCp1252(name), embedded::defaultPicture(),
                     // A broken entry of the update recipe file is named by the name record read last.
                     [this](const std::string& lastName) { main_.prompts().message(ui::fromCp1252(lastName)); });
  WebBrowser1->showFile(QString::fromStdString(page.string()));
}

void RecipeTab::Drucken1Click() {
  main_.prompts().printPreview([this](QPrinter* printer) { WebBrowser1->document()->print(printer); });
}

}  // namespace zestovar::views
