// Category browsing on the inner tab "Rezept", and the click handling the three recipe lists share.
#include <QSignalBlocker>

#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "ui/EventHook.h"
#include "ui/TextCodec.h"
#include "views/RecipeSearch.h"
#include "views/RecipeTab.h"

namespace zestovar::views {

void RecipeTab::fillRecipeList(QListWidget* list, const std::vector<std::string>& names) {
  // The core decides the order, so the window and the command line list a category alike; the
  // items go in at once, not one sorted insertion each.
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) texts.append(ui::fromCp1252(name));
  list->setSortingEnabled(false);
  list->addItems(texts);
}

void RecipeTab::setNames(ui::MainWindow::RecipeList list, const std::vector<std::string>& names) {
  QListWidget* shown = recipeList(list);
  shown->clear();
  fillRecipeList(shown, names);
}

void RecipeTab::ComboBox1Change() {
  blankPage();
  {
    // Ticks set here are no user's tick: the filter does not run.
    const QSignalBlocker blocker(CheckListBox1);
    CheckListBox1->clear();
    const QString text = ComboBox1->currentText();
    if (ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
      for (const std::string& name : store::subcategoriesSorted(ui::toCp1252(text))) {
        auto* item = new QListWidgetItem(ui::fromCp1252(name), CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
      }
    }
    currentCategory_ = ui::toCp1252(text);
  }
  listCurrentCategory();
  if (ListBox3->count() > 0) {
    main_.showTab(ui::MainWindow::kTabRecipe);
    // No item is selected; with letter items the first is "A", which shows a blank page.
    showRecipe(ListBox3->item(0)->text());
  }
}

std::size_t RecipeTab::listCurrentCategory() {
  ListBox3->clear();
  std::vector<std::string> names;
  try {
    main_.store().listNamesByCategory(currentCategory_, names);
  } catch (...) {
    // The list keeps the names found before the error.
    store::sortBrowseList(names);
    fillRecipeList(ListBox3, names);
    throw;
  }
  const std::size_t count = names.size();
  store::finishRecipeList(names);
  fillRecipeList(ListBox3, names);
  return count;
}

void RecipeTab::CheckListBox1ClickCheck() {
  std::vector<std::string> ticked;
  for (int i = 0; i < CheckListBox1->count(); ++i)
    if (CheckListBox1->item(i)->checkState() == Qt::Checked)
      ticked.push_back(ui::toCp1252(CheckListBox1->item(i)->text()));
  std::size_t count;
  if (ticked.size() == static_cast<std::size_t>(CheckListBox1->count())) {
    count = listCurrentCategory();
  } else {
    ListBox3->clear();
    std::vector<EntrySummary> summary;
    buildEntrySummary(main_.store(), summary);
    std::vector<std::string> names = filterBySubcategories(std::move(summary), currentCategory_, ticked);
    count = names.size();
    store::finishRecipeList(names);
    fillRecipeList(ListBox3, names);
  }
  emit countShown(QString::fromStdString(recipeCountText(count)));
  if (ListBox3->count() > 0) showRecipe(ListBox3->item(0)->text());
}

void RecipeTab::CheckListBox1Click() { main_.showTab(ui::MainWindow::kTabRecipe); }

void RecipeTab::SpeedButton1Click() {
  bool all = true;
  for (int i = 0; i < CheckListBox1->count(); ++i) all = all && CheckListBox1->item(i)->checkState() == Qt::Checked;
  {
    const QSignalBlocker blocker(CheckListBox1);
    for (int i = 0; i < CheckListBox1->count(); ++i)
      CheckListBox1->item(i)->setCheckState(all ? Qt::Unchecked : Qt::Checked);
  }
  CheckListBox1ClickCheck();
}

void RecipeTab::showSelectedRecipe(QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (!selected.isEmpty()) showRecipe(selected.front()->text());
}

void RecipeTab::chooseCategory(const QString& category) {
  main_.showTab(ui::MainWindow::kInnerRecipe);
  ComboBox1->setCurrentIndex(ComboBox1->findText(category));
  ComboBox1Change();
}

void RecipeTab::connectBrowsing() {
  connect(CheckListBox1, &QListWidget::itemChanged, this, main_.handler([this] { CheckListBox1ClickCheck(); }));
  connect(CheckListBox1, &QListWidget::itemClicked, this, main_.handler([this] { CheckListBox1Click(); }));
  connect(SpeedButton1, &QToolButton::clicked, this, main_.handler([this] { SpeedButton1Click(); }));
  for (QListWidget* list : {ListBox3, ListBox4, ListBox5}) {
    connect(list, &QListWidget::itemClicked, this, main_.handler([this, list] { showSelectedRecipe(list); }));
    new ui::EventHook(list, QEvent::KeyRelease, main_.handler([this, list] { showSelectedRecipe(list); }));
  }
  // The user's choice or typing changes the category; choices made in code call the handler.
  connect(ComboBox1, &QComboBox::textActivated, this, main_.handler([this] { ComboBox1Change(); }));
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, main_.handler([this] { ComboBox1Change(); }));
}

}  // namespace zestovar::views
