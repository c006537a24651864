// Building the main tab "Rezept": the left pane with its three inner tabs and the page viewer.
#include "views/RecipeTab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "store/Categories.h"
#include "ui/Controls.h"
#include "ui/TextCodec.h"
#include "views/RecipePage.h"

namespace zestovar::views {

using ui::named;
using ui::utf8;

RecipeTab::RecipeTab(ui::MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  named(this, "TabSheet1", QStringLiteral("Rezept"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(3);

  Panel1 = named(new QFrame(this), "Panel1", QStringLiteral("Rezeptauswahl"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setFixedWidth(199);
  auto* paneLayout = new QVBoxLayout(Panel1);
  paneLayout->setContentsMargins(1, 1, 1, 1);
  PageControl2 = named(new QTabWidget(Panel1), "PageControl2", QStringLiteral("Rezeptauswahl"));
  // Narrower tabs, so that all three captions fit the pane.
  PageControl2->setStyleSheet(QStringLiteral(
      "QTabBar::tab { padding: 3px 6px; margin-right: 1px; border: 1px solid #b4b4b4; border-bottom: none;"
      " border-top-left-radius: 3px; border-top-right-radius: 3px; background: #e4e4e4; }"
      "QTabBar::tab:selected { background: #fafafa; }"
      "QTabBar::tab:!selected { margin-top: 2px; }"));
  paneLayout->addWidget(PageControl2);
  PageControl2->addTab(TabSheet6 = buildBrowseTab(), QStringLiteral("Rezept"));
  PageControl2->addTab(TabSheet7 = buildSearchTab(), QStringLiteral("Suchen"));
  PageControl2->addTab(TabSheet8 = buildBookmarkTab(), QStringLiteral("Merkliste"));

  PopupMenu1 = buildListMenu(ListBox3, "PopupMenu1", 1);
  PopupMenu2 = buildListMenu(ListBox4, "PopupMenu2", 2);
  PopupMenu3 = buildListMenu(ListBox5, "PopupMenu3", 3);

  WebBrowser1 = named(new ui::PageViewer(this), "WebBrowser1", QStringLiteral("Rezeptseite"));
  WebBrowser1->setProgramDir(QString::fromStdString(main_.programDir().string()));

  // "Personen" stands above the page, so it serves a recipe shown from any of the three lists.
  auto* pageSide = new QVBoxLayout;
  pageSide->setContentsMargins(0, 0, 0, 0);
  pageSide->setSpacing(3);
  pageSide->addWidget(buildPersonsBar());
  pageSide->addWidget(WebBrowser1, 1);
  layout->addWidget(Panel1);
  layout->addLayout(pageSide, 1);

  connectBrowsing();
  connectSearch();
}

// Inner tab "Rezept": category, subcategories, browse list.
QWidget* RecipeTab::buildBrowseTab() {
  auto* tab = named(new QWidget, "TabSheet6", QStringLiteral("Rezept"));
  auto* browse = new QVBoxLayout(tab);
  browse->setContentsMargins(3, 3, 3, 3);
  browse->setSpacing(3);
  ComboBox1 = named(new QComboBox(tab), "ComboBox1", QStringLiteral("Kategorie"));
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setCompleter(nullptr);
  for (std::string_view name : store::kCategoriesAlphabetical) ComboBox1->addItem(ui::fromCp1252(name));
  // The stored text until start-up chooses "Backwaren".
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setEditText(QStringLiteral("Vorspeise"));
  SpeedButton1 = named(new QToolButton(tab), "SpeedButton1", utf8("Alles/Nichts auswählen"));
  SpeedButton1->setText(utf8("Alles/Nichts auswählen"));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  Splitter1 = named(new QSplitter(Qt::Vertical, tab), "Splitter1", QStringLiteral("Teiler"));
  CheckListBox1 = ui::checkList("CheckListBox1", "Unterkategorien", Splitter1);
  ListBox3 = named(new QListWidget(Splitter1), "ListBox3", QStringLiteral("Rezepte"));
  Splitter1->addWidget(CheckListBox1);
  Splitter1->addWidget(ListBox3);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({120, 400});
  browse->addWidget(ComboBox1);
  browse->addWidget(SpeedButton1);
  browse->addWidget(Splitter1, 1);
  return tab;
}

// Inner tab "Suchen": search text, category, kind of search, result list.
QWidget* RecipeTab::buildSearchTab() {
  auto* tab = named(new QWidget, "TabSheet7", QStringLiteral("Suchen"));
  auto* search = new QVBoxLayout(tab);
  search->setContentsMargins(3, 3, 3, 3);
  Splitter2 = named(new QSplitter(Qt::Vertical, tab), "Splitter2", QStringLiteral("Teiler"));
  auto* form = named(new QWidget(Splitter2), "Panel3", QStringLiteral("Suchangaben"));
  auto* formLayout = new QVBoxLayout(form);
  formLayout->setContentsMargins(0, 0, 0, 0);
  formLayout->setSpacing(3);
  Edit5 = named(new QLineEdit(QStringLiteral("Suchbegriff eingeben"), form), "Edit5", QStringLiteral("Suchbegriff"));
  ComboBox2 = named(new QComboBox(form), "ComboBox2", QStringLiteral("Kategorie der Suche"));
  ComboBox2->setEditable(true);
  ComboBox2->setInsertPolicy(QComboBox::NoInsert);
  ComboBox2->setCompleter(nullptr);
  ComboBox2->addItems({QStringLiteral("Alle"), QStringLiteral("Vorspeise"), QStringLiteral("Suppe"),
                       QStringLiteral("Hauptgericht"), QStringLiteral("Backwaren"), QStringLiteral("Dessert"),
                       utf8("Getränke")});
  RadioGroup1 = named(new QGroupBox(QStringLiteral("Suchart"), form), "RadioGroup1", QStringLiteral("Suchart"));
  auto* kinds = new QVBoxLayout(RadioGroup1);
  kinds->setContentsMargins(6, 2, 6, 4);
  kinds->setSpacing(0);
  RadioButton8 =
      named(new QRadioButton(QStringLiteral("Und-Suche"), RadioGroup1), "RadioButton8", QStringLiteral("Und-Suche"));
  RadioButton9 =
      named(new QRadioButton(QStringLiteral("Oder-Suche"), RadioGroup1), "RadioButton9", QStringLiteral("Oder-Suche"));
  RadioButton8->setChecked(true);
  kinds->addWidget(RadioButton8);
  kinds->addWidget(RadioButton9);
  // Off at start, so the search compares umlauts as stored until the user asks otherwise.
  CheckBoxUmlaute = named(new QCheckBox(utf8("ä = ae"), form), "CheckBoxUmlaute", utf8("ä = ae"));
  Button3 = ui::button("Button3", "Starten", form);
  formLayout->addWidget(Edit5);
  formLayout->addWidget(ComboBox2);
  formLayout->addWidget(RadioGroup1);
  formLayout->addWidget(CheckBoxUmlaute);
  formLayout->addWidget(Button3);
  formLayout->addStretch(1);
  ListBox4 = named(new QListWidget(Splitter2), "ListBox4", QStringLiteral("Suchergebnis"));
  Splitter2->addWidget(form);
  Splitter2->addWidget(ListBox4);
  Splitter2->setChildrenCollapsible(false);
  Splitter2->setStretchFactor(1, 1);
  search->addWidget(Splitter2);
  return tab;
}

// Inner tab "Merkliste": the bookmark list; its handlers belong to the bookmarks.
QWidget* RecipeTab::buildBookmarkTab() {
  auto* tab = named(new QWidget, "TabSheet8", QStringLiteral("Merkliste"));
  auto* bookmarks = new QVBoxLayout(tab);
  bookmarks->setContentsMargins(3, 3, 3, 3);
  ListBox5 = named(new QListWidget(tab), "ListBox5", QStringLiteral("Merkliste"));
  bookmarks->addWidget(ListBox5);
  return tab;
}

RecipeTab::ListMenu RecipeTab::buildListMenu(QListWidget* list, const char* menuName, int number) {
  ListMenu m{};
  m.menu = named(new QMenu(this), menuName, QStringLiteral("Rezeptmenü"));
  auto entry = [&](const char* stem, const char* caption) {
    const QByteArray objectName = QByteArray(stem) + QByteArray::number(number);
    return ui::addEntry(m.menu, objectName.constData(), caption);
  };
  m.remove = entry("Entfernen", "Entfernen");
  m.change = entry("ndern", "Ändern");
  m.bookmark = entry("AufdieMerklistesetzen", "Auf die Merkliste setzen");
  m.unbookmark = entry("VonderMerklistelschen", "Von der Merkliste löschen");
  m.toShoppingList = entry("ZutatenzurEinkaufslistehinzufgen", "Zutaten zur Einkaufsliste hinzufügen");
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  QMenu* menu = m.menu;
  connect(list, &QWidget::customContextMenuRequested, menu,
          [list, menu](const QPoint& pos) { menu->popup(list->viewport()->mapToGlobal(pos)); });
  return m;
}

QWidget* RecipeTab::buildPersonsBar() {
  auto* bar = named(new QWidget(this), "PersonsBar", QStringLiteral("Personen und Einkaufsliste"));
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 0, 2, 0);
  PersonsLabel = ui::label("PersonsLabel", "Personen", bar);
  PersonsBox = named(new QSpinBox(bar), "PersonsBox", QStringLiteral("Personen"));
  PersonsLabel->setBuddy(PersonsBox);
  // A blank box while nothing can be scaled: 0 shows the empty special text and is out of reach once a
  // recipe with a number of persons is shown.
  PersonsBox->setSpecialValueText(QStringLiteral(" "));
  PersonsBox->setRange(0, kMostPersons);
  PersonsBox->setEnabled(false);
  ToShoppingListButton = ui::button("ToShoppingListButton", "Zur Einkaufsliste", bar);
  ToShoppingListButton->setEnabled(false);
  row->addWidget(PersonsLabel);
  row->addWidget(PersonsBox);
  row->addWidget(ToShoppingListButton);
  row->addStretch(1);
  connect(PersonsBox, &QSpinBox::valueChanged, this, main_.handler([this] { PersonsBoxChange(); }));
  connect(ToShoppingListButton, &QPushButton::clicked, this, main_.handler([this] { ToShoppingListButtonClick(); }));
  return bar;
}

QListWidget* RecipeTab::recipeList(ui::MainWindow::RecipeList list) const {
  switch (list) {
    case ui::MainWindow::RecipeList::Browse:
      return ListBox3;
    case ui::MainWindow::RecipeList::Result:
      return ListBox4;
    case ui::MainWindow::RecipeList::Bookmark:
      return ListBox5;
  }
  return nullptr;
}

}  // namespace zestovar::views
