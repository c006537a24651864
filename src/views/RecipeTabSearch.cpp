// The search tab: search words in every recipe, list the hits, show the first.
#include "store/BrowseOrder.h"
#include "ui/EventHook.h"
#include "ui/TextCodec.h"
#include "views/RecipeSearch.h"
#include "views/RecipeTab.h"

namespace zestovar::views {
namespace {

constexpr char16_t kSearchHint[] = u"Suchbegriff eingeben";

}  // namespace

void RecipeTab::Edit5Click() {
  // Only a click clears the hint: a search started without one searches the hint's words.
  if (Edit5->text() == QString::fromUtf16(kSearchHint)) Edit5->clear();
}

void RecipeTab::Button3Click() {
  const QString text = Edit5->text();
  if (text.isEmpty()) {
    main_.prompts().message(QStringLiteral("Bitte einen Begriff eingeben"));
    return;
  }
  const auto terms = splitTerms(ui::toCp1252(text));
  const auto kind = RadioButton9->isChecked() ? SearchKind::Or : SearchKind::And;
  ListBox4->clear();
  std::vector<std::string> names;
  int hits = 0;
  try {
    hits = searchRecipes(main_.store(), terms, ui::toCp1252(ComboBox2->currentText()), kind, names,
                         CheckBoxUmlaute->isChecked() ? Spelling::Umlauts : Spelling::AsStored);
  } catch (...) {
    // The names found so far stay in the list; no count is shown.
    store::sortBrowseList(names);
    fillRecipeList(ListBox4, names);
    throw;
  }
  store::finishRecipeList(names);
  fillRecipeList(ListBox4, names);
  main_.prompts().message(QString::fromStdString(searchMessage(hits)));
  if (hits != 0 && ListBox4->count() > 0) {
    main_.showTab(ui::MainWindow::kTabRecipe);
    showRecipe(ListBox4->item(0)->text());
  }
}

void RecipeTab::connectSearch() {
  new ui::EventHook(Edit5, QEvent::MouseButtonPress, main_.handler([this] { Edit5Click(); }));
  connect(Button3, &QPushButton::clicked, this, main_.handler([this] { Button3Click(); }));
}

}  // namespace zestovar::views
