// The search tab: search words in every recipe, list the hits, show the first.
#include "app/TextCodec.h"
#include "store/BrowseOrder.h"
#include "views/EventHook.h"
#include "views/MHU.h"
#include "views/RecipeSearch.h"

namespace {

constexpr char16_t kSearchHint[] = u"Suchbegriff eingeben";

}  // namespace

void TForm1::Edit5Click() {
  // Only a click clears the hint: a search started without one searches the hint's words.
  if (Edit5->text() == QString::fromUtf16(kSearchHint)) Edit5->clear();
}

void TForm1::Button3Click() {
  const QString text = Edit5->text();
  if (text.isEmpty()) {
    prompts_.message(QStringLiteral("Bitte einen Begriff eingeben"));
    return;
  }
  const auto terms = zestovar::views::splitTerms(zestovar::app::toCp1252(text));
  const auto kind = RadioButton9->isChecked() ? zestovar::views::SearchKind::Or : zestovar::views::SearchKind::And;
  ListBox4->clear();
  std::vector<std::string> names;
  int hits = 0;
  try {
    hits =
        zestovar::views::searchRecipes(store(), terms, zestovar::app::toCp1252(ComboBox2->currentText()), kind, names);
  } catch (...) {
    // The names found so far stay in the list; no count is shown.
    zestovar::store::sortBrowseList(names);
    fillRecipeList(ListBox4, names);
    throw;
  }
  zestovar::store::finishRecipeList(names);
  fillRecipeList(ListBox4, names);
  prompts_.message(QString::fromStdString(zestovar::views::searchMessage(hits)));
  if (hits != 0 && ListBox4->count() > 0) {
    showMainTab(kTabRecipe);
    showRecipe(ListBox4->item(0)->text());
  }
}

void TForm1::connectSearch() {
  new zestovar::views::EventHook(Edit5, QEvent::MouseButtonPress, handler([this] { Edit5Click(); }));
  connect(Button3, &QPushButton::clicked, this, handler([this] { Button3Click(); }));
}
