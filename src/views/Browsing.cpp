// Category browsing on the inner tab "Rezept" and the menu entries that switch tabs.
#include <QApplication>
#include <QSignalBlocker>

#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "app/TextCodec.h"
#include "online/ProxE.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "views/EventHook.h"
#include "views/MHU.h"
#include "views/RecipeSearch.h"

void TForm1::fillRecipeList(QListWidget* list, const std::vector<std::string>& names) {
  // The core decides the order, so the window and the command line list a category alike; the
  // items go in at once, not one sorted insertion each.
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) texts.append(zestovar::app::fromCp1252(name));
  list->setSortingEnabled(false);
  list->addItems(texts);
}

void TForm1::ComboBox1Change() {
  WebBrowser1->blank();
  {
    // Ticks set here are no user's tick: the filter does not run.
    const QSignalBlocker blocker(CheckListBox1);
    CheckListBox1->clear();
    const QString text = ComboBox1->currentText();
    if (ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
      for (const std::string& name : zestovar::store::subcategoriesSorted(zestovar::app::toCp1252(text))) {
        auto* item = new QListWidgetItem(zestovar::app::fromCp1252(name), CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
      }
    }
    currentCategory_ = zestovar::app::toCp1252(text);
  }
  listCurrentCategory();
  if (ListBox3->count() > 0) {
    showMainTab(kTabRecipe);
    // No item is selected; with letter items the first is "A", which shows a blank page.
    showRecipe(ListBox3->item(0)->text());
  }
}

std::size_t TForm1::listCurrentCategory() {
  ListBox3->clear();
  std::vector<std::string> names;
  try {
    store().listNamesByCategory(currentCategory_, names);
  } catch (...) {
    // The list keeps the names found before the error.
    zestovar::store::sortBrowseList(names);
    fillRecipeList(ListBox3, names);
    throw;
  }
  const std::size_t count = names.size();
  zestovar::store::finishRecipeList(names);
  fillRecipeList(ListBox3, names);
  return count;
}

void TForm1::CheckListBox1ClickCheck() {
  std::vector<std::string> ticked;
  for (int i = 0; i < CheckListBox1->count(); ++i)
    if (CheckListBox1->item(i)->checkState() == Qt::Checked)
      ticked.push_back(zestovar::app::toCp1252(CheckListBox1->item(i)->text()));
  std::size_t count;
  if (ticked.size() == static_cast<std::size_t>(CheckListBox1->count())) {
    count = listCurrentCategory();
  } else {
    ListBox3->clear();
    std::vector<zestovar::views::EntrySummary> summary;
    zestovar::views::buildEntrySummary(store(), summary);
    std::vector<std::string> names =
        zestovar::views::filterBySubcategories(std::move(summary), currentCategory_, ticked);
    count = names.size();
    zestovar::store::finishRecipeList(names);
    fillRecipeList(ListBox3, names);
  }
  setStatusText(QString::fromStdString(zestovar::views::recipeCountText(count)));
  if (ListBox3->count() > 0) showRecipe(ListBox3->item(0)->text());
}

void TForm1::CheckListBox1Click() { showMainTab(kTabRecipe); }

void TForm1::SpeedButton1Click() {
  bool all = true;
  for (int i = 0; i < CheckListBox1->count(); ++i) all = all && CheckListBox1->item(i)->checkState() == Qt::Checked;
  {
    const QSignalBlocker blocker(CheckListBox1);
    for (int i = 0; i < CheckListBox1->count(); ++i)
      CheckListBox1->item(i)->setCheckState(all ? Qt::Unchecked : Qt::Checked);
  }
  CheckListBox1ClickCheck();
}

void TForm1::showSelectedRecipe(QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (!selected.isEmpty()) showRecipe(selected.front()->text());
}

void TForm1::connectBrowsing() {
  connect(CheckListBox1, &QListWidget::itemChanged, this, handler([this] { CheckListBox1ClickCheck(); }));
  connect(CheckListBox1, &QListWidget::itemClicked, this, handler([this] { CheckListBox1Click(); }));
  connect(SpeedButton1, &QToolButton::clicked, this, handler([this] { SpeedButton1Click(); }));
  for (QListWidget* list : {ListBox3, ListBox4, ListBox5}) {
    connect(list, &QListWidget::itemClicked, this, handler([this, list] { showSelectedRecipe(list); }));
    new zestovar::views::EventHook(list, QEvent::KeyRelease, handler([this, list] { showSelectedRecipe(list); }));
  }
  connect(Drucken1, &QAction::triggered, this, handler([this] { Drucken1Click(); }));
}

void TForm1::chooseCategory(const QString& category) {
  showMainTab(kTabRecipe);
  showInnerTab(kInnerRecipe);
  ComboBox1->setCurrentIndex(ComboBox1->findText(category));
  ComboBox1Change();
}

void TForm1::connectMenu() {
  connect(Beenden1, &QAction::triggered, this, &QWidget::close);

  const std::pair<QAction*, int> categories[] = {{Vorspeise1, 0}, {Suppen1, 1},    {Hauptgerichte1, 2},
                                                 {Dessert1, 3},   {Backwaren1, 4}, {Getrnke1, 5}};
  for (const auto& [action, code] : categories) {
    const QString name = zestovar::app::fromCp1252(zestovar::store::kCategoryNames[static_cast<std::size_t>(code)]);
    connect(action, &QAction::triggered, this, handler([this, name] { chooseCategory(name); }));
  }

  connect(Suchen1, &QAction::triggered, this, handler([this] {
            showMainTab(kTabRecipe);
            showInnerTab(kInnerSearch);
          }));
  connect(Updaten1, &QAction::triggered, this, handler([this] { showMainTab(kTabUpdate); }));
  connect(Rezepteonlinestellen1, &QAction::triggered, this, handler([this] {
            showMainTab(kTabPublish);
            // The tab's preparation (listing the own recipes) runs here once publishing is built.
          }));
  connect(Einkaufsliste1, &QAction::triggered, this, handler([this] { showMainTab(kTabShopping); }));
  connect(Hinzufgen1, &QAction::triggered, this, handler([this] { showMainTab(kTabEditor); }));
  connect(Merkliste1, &QAction::triggered, this, handler([this] {
            showMainTab(kTabRecipe);
            showInnerTab(kInnerBookmarks);
            // The bookmark tab's change handling (reading "Merklist.dat") runs here once bookmarks are built.
          }));
  connect(Proxy1, &QAction::triggered, this, handler([this] {
            if (Form17 != nullptr) Form17->show();
          }));
  connect(Optionen2, &QAction::triggered, this, handler([this] {
            if (Form12 != nullptr) Form12->show();
          }));
  connect(N2, &QAction::triggered, this, handler([this] {
            if (InfoForm != nullptr) InfoForm->show();
          }));
  // "?" > "Hilfe" has no action.

  // The user's choice or typing changes the category; choices made in code call the handler.
  connect(ComboBox1, &QComboBox::textActivated, this, handler([this] { ComboBox1Change(); }));
  connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, handler([this] { ComboBox1Change(); }));
}
