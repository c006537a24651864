#include "views/MHU.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include "store/Categories.h"
#include "store/FileIo.h"
#include "ui/Controls.h"
#include "ui/TextCodec.h"
#include "views/DefaultPicture.h"
#include "views/RecipeTab.h"

using zestovar::ui::named;
using zestovar::ui::utf8;

TForm1::TForm1(std::filesystem::path programDir, zestovar::ui::Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), programDir_(std::move(programDir)), prompts_(prompts) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf16(zestovar::ui::kProgramTitle));
  setAccessibleName(QString::fromUtf16(zestovar::ui::kProgramTitle));

  buildMenu();

  StatusBar1 = named(new QStatusBar(this), "StatusBar1", QStringLiteral("Statusleiste"));
  StatusBar1->setSizeGripEnabled(true);
  // A screen reader reads the count the panel shows; its role is the description.
  StatusPanel1 = new QLabel(StatusBar1);
  StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
  StatusPanel1->setAccessibleDescription(QStringLiteral("Anzahl der Rezepte"));
  StatusBar1->addPermanentWidget(StatusPanel1, 1);
  setStatusBar(StatusBar1);

  PageControl1 = named(new QTabWidget(this), "PageControl1", QStringLiteral("Hauptseiten"));
  setCentralWidget(PageControl1);

  connectMenu();

  resize(865, 635);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

TForm1::~TForm1() = default;

void TForm1::setPages(const Pages& pages) {
  recipeTab_ = pages.recipe;
  TabSheet1 = pages.recipe;
  TabSheet2 = pages.update;
  TabSheet3 = pages.publish;
  TabSheet4 = pages.editor;
  TabSheet5 = pages.shopping;
  PageControl1->addTab(TabSheet1, QStringLiteral("Rezept"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Datenbank updaten"));
  PageControl1->addTab(TabSheet3, QStringLiteral("Datenbank online stellen"));
  PageControl1->addTab(TabSheet4, utf8("Hinzufügen"));
  PageControl1->addTab(TabSheet5, QStringLiteral("Einkaufsliste"));
  connect(recipeTab_, &zestovar::views::RecipeTab::countShown, StatusPanel1, &QLabel::setText);

  connect(Drucken1, &QAction::triggered, recipeTab_, handler([this] { recipeTab_->Drucken1Click(); }));
  const std::pair<QAction*, int> categories[] = {{Vorspeise1, 0}, {Suppen1, 1},    {Hauptgerichte1, 2},
                                                 {Dessert1, 3},   {Backwaren1, 4}, {Getrnke1, 5}};
  for (const auto& [action, code] : categories) {
    const QString name = zestovar::ui::fromCp1252(zestovar::store::kCategoryNames[static_cast<std::size_t>(code)]);
    connect(action, &QAction::triggered, recipeTab_, handler([this, name] { recipeTab_->chooseCategory(name); }));
  }
}

void TForm1::buildMenu() {
  using zestovar::ui::addEntry;
  MainMenu1 = named(new QMenuBar(this), "MainMenu1", utf8("Hauptmenü"));
  setMenuBar(MainMenu1);

  auto menu = [this](const char* objectName, const char* caption) {
    return named(MainMenu1->addMenu(utf8(caption)), objectName, utf8(caption).remove(QLatin1Char('&')));
  };
  Datei1 = menu("Datei1", "&Datei");
  Drucken1 = addEntry(Datei1, "Drucken1", "&Drucken");
  Rezepteimportieren1 = addEntry(Datei1, "Rezepteimportieren1", "Rezepte &importieren ...");
  RezeptausdemInternet1 = addEntry(Datei1, "RezeptausdemInternet1", "&Rezept aus dem Internet ...");
  Datei1->addSeparator();
  Beenden1 = addEntry(Datei1, "Beenden1", "&Beenden");

  Kategorie1 = menu("Kategorie1", "&Kategorie");
  Vorspeise1 = addEntry(Kategorie1, "Vorspeise1", "Vorspeise");
  Suppen1 = addEntry(Kategorie1, "Suppen1", "Suppen");
  Hauptgerichte1 = addEntry(Kategorie1, "Hauptgerichte1", "Hauptgerichte");
  Backwaren1 = addEntry(Kategorie1, "Backwaren1", "Backwaren");
  Dessert1 = addEntry(Kategorie1, "Dessert1", "Dessert");
  Getrnke1 = addEntry(Kategorie1, "Getrnke1", "Getränke");

  Optionen1 = menu("Optionen1", "&Optionen");
  Suchen1 = addEntry(Optionen1, "Suchen1", "Suchen");
  AlseMailversenden1 = addEntry(Optionen1, "AlseMailversenden1", "Als eMail versenden");
  Optionen1->addSeparator();
  Proxy1 = addEntry(Optionen1, "Proxy1", "Proxy");
  Optionen2 = addEntry(Optionen1, "Optionen2", "Optionen");

  Datenbank1 = menu("Datenbank1", "Date&nbank");
  Updaten1 = addEntry(Datenbank1, "Updaten1", "Updaten");
  Rezepteonlinestellen1 = addEntry(Datenbank1, "Rezepteonlinestellen1", "Rezepte online stellen");
  Datenbank1->addSeparator();
  Einkaufsliste1 = addEntry(Datenbank1, "Einkaufsliste1", "Einkaufsliste");
  Hinzufgen1 = addEntry(Datenbank1, "Hinzufgen1", "Hinzufügen");
  Merkliste1 = addEntry(Datenbank1, "Merkliste1", "Merkliste");

  N1 = menu("N1", "&?");
  Hilfe1 = addEntry(N1, "Hilfe1", "Hilfe");
  N2 = addEntry(N1, "N2", "?");
}

// The entries that only switch tabs. "Rezepte online stellen" and "Merkliste" also run a page's change
// handling, and the entries that show another window belong to that window: the program connects them.
void TForm1::connectMenu() {
  connect(Beenden1, &QAction::triggered, this, &QWidget::close);
  connect(Suchen1, &QAction::triggered, this, handler([this] { showTab(kInnerSearch); }));
  connect(Updaten1, &QAction::triggered, this, handler([this] { showTab(kTabUpdate); }));
  connect(Einkaufsliste1, &QAction::triggered, this, handler([this] { showTab(kTabShopping); }));
  connect(Hinzufgen1, &QAction::triggered, this, handler([this] { showTab(kTabEditor); }));
  // "?" > "Hilfe" has no action.
}

void TForm1::showTab(Tab tab) {
  const QSignalBlocker blocker(PageControl1);
  if (tab < kInnerRecipe) {
    PageControl1->setCurrentIndex(tab);
    return;
  }
  PageControl1->setCurrentIndex(kTabRecipe);
  const QSignalBlocker innerBlocker(recipeTab_->PageControl2);
  recipeTab_->PageControl2->setCurrentIndex(tab - kInnerRecipe);
}

void TForm1::showRecipe(const QString& name) { recipeTab_->showRecipe(name); }

std::size_t TForm1::listCurrentCategory() { return recipeTab_->listCurrentCategory(); }

std::optional<QString> TForm1::recipeName(RecipeList list, Item item) const {
  const QListWidget* shown = recipeTab_->recipeList(list);
  if (item == Item::First) {
    if (shown->count() == 0) return std::nullopt;
    return shown->item(0)->text();
  }
  const QList<QListWidgetItem*> selected = shown->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return selected.front()->text();
}

void TForm1::setNames(RecipeList list, const std::vector<std::string>& names) { recipeTab_->setNames(list, names); }

std::vector<std::string> TForm1::removeSelected(RecipeList list) {
  QListWidget* shown = recipeTab_->recipeList(list);
  const QList<QListWidgetItem*> selected = shown->selectedItems();
  if (!selected.isEmpty()) delete selected.front();
  std::vector<std::string> left;
  left.reserve(static_cast<std::size_t>(shown->count()));
  for (int i = 0; i < shown->count(); ++i) left.push_back(zestovar::ui::toCp1252(shown->item(i)->text()));
  return left;
}

void TForm1::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

zestovar::store::RecipeStore& TForm1::store() {
  if (!store_) openStore();
  return *store_;
}

// Creation handling. A step that fails shows its error; the later steps still run, so one bad side
// file never leaves the recipe files unopened.
void TForm1::FormCreate() {
  runStep([this] {
    if (hooks_.loadProxySettings) hooks_.loadProxySettings();
  });
  runStep([this] {
    if (hooks_.loadShoppingList) hooks_.loadShoppingList();
  });
  runStep([this] {
    if (hooks_.loadDeletedRecipes) hooks_.loadDeletedRecipes();
  });
  runStep([this] { openStore(); });
  runStep([this] {
    recipeTab_->ComboBox1->setCurrentIndex(0);
    recipeTab_->ComboBox1Change();
  });
}

void TForm1::runStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    zestovar::ui::showError(prompts_, error);
  }
}

void TForm1::openStore() { store_ = std::make_unique<zestovar::store::RecipeStore>(programDir_, files_); }
