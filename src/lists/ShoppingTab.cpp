#include "lists/ShoppingTab.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "lists/ShoppingList.h"
#include "lists/VHU.h"
#include "store/FileIo.h"
#include "store/SideFile.h"
#include "ui/Controls.h"
#include "ui/TextCodec.h"

namespace zestovar::lists {

using ui::named;

ShoppingTab::ShoppingTab(ui::MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  named(this, "TabSheet5", QStringLiteral("Einkaufsliste"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(12);
  ListBox2 = named(new QListWidget(this), "ListBox2", QStringLiteral("Einkaufsliste"));
  PopupMenu4 = named(new QMenu(this), "PopupMenu4", ui::utf8("Einkaufslistenmenü"));
  Entfernen4 = ui::addEntry(PopupMenu4, "Entfernen4", "entfernen");
  ListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox2, &QWidget::customContextMenuRequested, PopupMenu4,
          [this](const QPoint& pos) { PopupMenu4->popup(ListBox2->viewport()->mapToGlobal(pos)); });
  layout->addWidget(ListBox2, 1);

  auto* right = new QVBoxLayout;
  Label13 = ui::label("Label13", "Zutat:", this);
  Edit6 = named(new QLineEdit(this), "Edit6", QStringLiteral("Zutat:"));
  Label13->setBuddy(Edit6);
  Button6 = ui::button("Button6", "Hinzufügen", this);
  Button5 = ui::button("Button5", "Einkaufliste drucken", this);
  Button7 = ui::button("Button7", "Einkaufliste löschen", this);
  ButtonZusammenfassen = ui::button("ButtonZusammenfassen", "Zusammenfassen", this);
  ButtonRueckgaengig = ui::button("ButtonRueckgaengig", "Rückgängig", this);
  ButtonRueckgaengig->setEnabled(false);
  right->addWidget(Label13);
  right->addWidget(Edit6);
  right->addWidget(Button6);
  right->addSpacing(24);
  right->addWidget(Button5);
  right->addWidget(Button7);
  right->addSpacing(24);
  right->addWidget(ButtonZusammenfassen);
  right->addWidget(ButtonRueckgaengig);
  right->addStretch(1);
  auto* rightPane = named(new QWidget(this), "Panel5", QStringLiteral("Zutat und Liste"));
  rightPane->setFixedWidth(260);
  rightPane->setLayout(right);
  right->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rightPane);

  connect(Button6, &QPushButton::clicked, this, main_.handler([this] { Button6Click(); }));
  connect(Button5, &QPushButton::clicked, this, main_.handler([this] { Button5Click(); }));
  connect(Button7, &QPushButton::clicked, this, main_.handler([this] { Button7Click(); }));
  connect(Entfernen4, &QAction::triggered, this, main_.handler([this] { Entfernen4Click(); }));
  connect(ButtonZusammenfassen, &QPushButton::clicked, this, main_.handler([this] { ZusammenfassenClick(); }));
  connect(ButtonRueckgaengig, &QPushButton::clicked, this, main_.handler([this] { RueckgaengigClick(); }));
  // Whatever changes the list, by whichever way, ends what "Rückgängig" can take back.
  const QAbstractItemModel* model = ListBox2->model();
  connect(model, &QAbstractItemModel::rowsInserted, this, &ShoppingTab::forgetMerge);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &ShoppingTab::forgetMerge);
  connect(model, &QAbstractItemModel::modelReset, this, &ShoppingTab::forgetMerge);
  connect(model, &QAbstractItemModel::dataChanged, this, &ShoppingTab::forgetMerge);
  ListBox2->installEventFilter(this);
}

// The list empties itself when its widget goes, after this tab's own members are gone.
ShoppingTab::~ShoppingTab() { ListBox2->model()->disconnect(this); }

bool ShoppingTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox2 && event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) main_.handler([this, code = key->key()] { ListBox2KeyUp(code); })();
  }
  return QWidget::eventFilter(watched, event);
}

void ShoppingTab::loadShoppingList() {
  appendLines(store::readSideFile(main_.files(), main_.programDir(), store::kShoppingListFileName));
}

std::vector<std::string> ShoppingTab::shoppingLines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(ListBox2->count()));
  for (int i = 0; i < ListBox2->count(); ++i) lines.push_back(ui::toCp1252(ListBox2->item(i)->text()));
  return lines;
}

void ShoppingTab::writeShoppingList() {
  store::writeSideFile(main_.files(), main_.programDir(), store::kShoppingListFileName, shoppingLines());
}

void ShoppingTab::appendLines(const std::vector<std::string>& lines) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts.append(ui::fromCp1252(line));
  ListBox2->addItems(texts);
}

void ShoppingTab::replaceLines(const std::vector<std::string>& lines) {
  store::writeSideFile(main_.files(), main_.programDir(), store::kShoppingListFileName, lines);
  replacing_ = true;
  ListBox2->clear();
  appendLines(lines);
  replacing_ = false;
}

void ShoppingTab::forgetMerge() {
  if (replacing_) return;
  beforeMerge_.reset();
  ButtonRueckgaengig->setEnabled(false);
}

void ShoppingTab::Button6Click() {
  if (main_.transferRunning()) return;
  if (Edit6->text().isEmpty()) return;
  // The list shows the line as "EList.dat" keeps it.
  appendLines({typedLine(ui::toCp1252(Edit6->text()))});
  writeShoppingList();
  Edit6->clear();
}

void ShoppingTab::Button5Click() {
  const std::filesystem::path page = writePrintPage(main_.files(), main_.programDir(), shoppingLines());
  if (preview_ != nullptr) preview_->showPage(QString::fromStdString(page.string()));
}

void ShoppingTab::Button7Click() {
  if (main_.transferRunning()) return;
  ListBox2->clear();
  writeShoppingList();
}

void ShoppingTab::ZusammenfassenClick() {
  if (main_.transferRunning()) return;
  std::vector<std::string> lines = shoppingLines();
  const bool dropRecipeHeads =
      holdsRecipeBlocks(lines) &&
      main_.prompts().confirm(ui::utf8("Bestätigung"), QStringLiteral("Die Rezeptnamen und Leerzeilen entfernen?"));
  const std::vector<std::string> merged = mergedShoppingList(lines, dropRecipeHeads);
  if (merged == lines) return;
  replaceLines(merged);
  beforeMerge_ = std::move(lines);
  ButtonRueckgaengig->setEnabled(true);
}

void ShoppingTab::RueckgaengigClick() {
  if (main_.transferRunning() || !beforeMerge_) return;
  replaceLines(*beforeMerge_);
  forgetMerge();
}

void ShoppingTab::Entfernen4Click() {
  if (main_.transferRunning()) return;
  const QList<QListWidgetItem*> selected = ListBox2->selectedItems();
  if (selected.isEmpty()) return;
  delete ListBox2->takeItem(ListBox2->row(selected.front()));
  writeShoppingList();
}

void ShoppingTab::ListBox2KeyUp(int key) {
  if (key == Qt::Key_Delete) Entfernen4Click();
}

void ShoppingTab::ZutatenzurEinkaufslistehinzufgenClick(ui::MainWindow::RecipeList list) {
  if (main_.transferRunning()) return;
  // The block is read whole before it goes in, so a broken entry adds nothing.
  if (const std::optional<QString> name = main_.recipeName(list, ui::MainWindow::Item::Selected))
    appendLines(recipeBlock(main_.store(), ui::toCp1252(*name)));
  writeShoppingList();
}

void ShoppingTab::addRecipeBlock(const QString& name, double factor) {
  if (main_.transferRunning()) return;
  appendLines(recipeBlock(main_.store(), ui::toCp1252(name), factor));
  writeShoppingList();
}

}  // namespace zestovar::lists
