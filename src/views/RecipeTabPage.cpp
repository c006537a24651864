// Show recipe and its print preview.
#include <QPrinter>
#include <QSignalBlocker>

#include "ui/TextCodec.h"
#include "views/DefaultPicture.h"
#include "views/RecipePage.h"
#include "views/RecipeTab.h"

namespace zestovar::views {

namespace {

ShownPage showPage(ui::MainWindow& main, const QString& name, std::optional<int> persons) {
  return showRecipePage(
      main.store(), ui::toCp1252(name), embedded::defaultPicture(),
      // A broken entry of the update recipe file is named by the name record read last.
      [&main](const std::string& lastName) { main.prompts().message(ui::fromCp1252(lastName)); }, persons);
}

}  // namespace

void RecipeTab::showRecipe(const QString& name) {
  const ShownPage page = showPage(main_, name, std::nullopt);
  WebBrowser1->showFile(QString::fromStdString(page.path.string()));
  shownName_ = name;
  showPersons(page.persons, page.found);
}

void RecipeTab::blankPage() {
  WebBrowser1->blank();
  shownName_.clear();
  showPersons({}, false);
}

void RecipeTab::showPersons(const std::string& personsRecord, bool found) {
  const std::optional<int> own = personsNumber(personsRecord);
  ownPersons_ = own.value_or(0);
  const QSignalBlocker blocker(PersonsBox);
  PersonsBox->setMinimum(own ? kFewestPersons : 0);
  PersonsBox->setValue(ownPersons_);
  PersonsBox->setEnabled(own.has_value());
  ToShoppingListButton->setEnabled(found);
}

void RecipeTab::PersonsBoxChange() {
  if (ownPersons_ == 0 || shownName_.isEmpty()) return;
  const ShownPage page = showPage(main_, shownName_, PersonsBox->value());
  WebBrowser1->showFile(QString::fromStdString(page.path.string()));
  // The recipe may have been changed since it was shown: its number now is the one the page scaled from.
  if (const std::optional<int> own = personsNumber(page.persons))
    ownPersons_ = *own;
  else
    showPersons(page.persons, page.found);
}

void RecipeTab::ToShoppingListButtonClick() {
  if (shownName_.isEmpty()) return;
  const double factor = ownPersons_ == 0 ? 1.0 : static_cast<double>(PersonsBox->value()) / ownPersons_;
  emit shoppingBlockWanted(shownName_, factor);
}

void RecipeTab::Drucken1Click() {
  main_.prompts().printPreview([this](QPrinter* printer) { WebBrowser1->document()->print(printer); });
}

}  // namespace zestovar::views
