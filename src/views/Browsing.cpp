// Category browsing on the inner tab "Rezept" and the menu entries that switch tabs.
#include <QApplication>

#include "accessories/OHU.h"
#include "accessories/WCIU.h"
#include "app/TextCodec.h"
#include "online/ProxE.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "views/MHU.h"

namespace {

// Fills a recipe list in the order given: the core decides the order, so the window and the command
// line list a category alike.
void fillList(QListWidget* list, const std::vector<std::string>& names) {
  list->setSortingEnabled(false);
  for (const std::string& name : names) list->addItem(zestovar::app::fromCp1252(name));
}

}  // namespace

void TForm1::ComboBox1Change() {
  WebBrowser1->blank();
  CheckListBox1->clear();

  const QString text = ComboBox1->currentText();
  // A typed text chooses no item, even when it names a category.
  const int index = ComboBox1->currentIndex();
  if (index >= 0 && ComboBox1->itemText(index) == text) {
    for (const std::string& name : zestovar::store::subcategoriesSorted(zestovar::app::toCp1252(text))) {
      auto* item = new QListWidgetItem(zestovar::app::fromCp1252(name), CheckListBox1);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Checked);
    }
  }

  currentCategory_ = zestovar::app::toCp1252(text);

  ListBox3->clear();
  std::vector<std::string> names;
  try {
    store().listNamesByCategory(currentCategory_, names);
  } catch (...) {
    // The list keeps the names found before the error.
    zestovar::store::sortBrowseList(names);
    fillList(ListBox3, names);
    throw;
  }
  zestovar::store::finishRecipeList(names);
  fillList(ListBox3, names);

  if (ListBox3->count() > 0) {
    showMainTab(kTabRecipe);
    // Show recipe of the first item follows here once the recipe page is built.
  }
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
