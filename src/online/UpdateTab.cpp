#include "online/UpdateTab.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "online/Download.h"
#include "online/NHU.h"
#include "store/Categories.h"
#include "store/DeletedRecipes.h"
#include "ui/Controls.h"
#include "ui/TextCodec.h"

namespace zestovar::online {

using ui::named;
using ui::utf8;

namespace {

// Each item carries its record in its columns; the download address is the hidden one.
constexpr int kDateColumn = 2;
constexpr int kAddressColumn = 3;
constexpr int kColumns = 5;

// What a column compares: the Windows-1252 bytes of the list page line it shows.
std::string columnBytes(const QTreeWidgetItem* item, int column) { return ui::toCp1252(item->text(column)); }

int compareColumn(int column, std::string_view a, std::string_view b) {
  return column == kDateColumn ? compareDates(a, b) : compareTexts(a, b);
}

using store::kCategoryNames;

// RadioButton1 to RadioButton6 stand for the categories by code.
const std::pair<const char*, std::string_view> kFilters[] = {
    {"RadioButton7", kAllCategories},    {"RadioButton1", kCategoryNames[0]}, {"RadioButton2", kCategoryNames[1]},
    {"RadioButton3", kCategoryNames[2]}, {"RadioButton4", kCategoryNames[3]}, {"RadioButton5", kCategoryNames[4]},
    {"RadioButton6", kCategoryNames[5]}};

}  // namespace

UpdateTab::UpdateTab(ui::MainWindow& main, HttpClient& http, const store::DeletedRecipes& deleted, std::string siteUrl,
                     QWidget* parent)
    : QWidget(parent), main_(main), http_(http), deleted_(deleted), siteUrl_(std::move(siteUrl)) {
  named(this, "TabSheet2", QStringLiteral("Datenbank updaten"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);

  auto* left = new QVBoxLayout;
  ListView2 = ui::reportView("ListView2", "Angebotene Rezepte",
                             {QStringLiteral("Name"), QStringLiteral("Autor"), QStringLiteral("Datum"), QString(),
                              QStringLiteral("Kategorie")},
                             {200, 150, 100, 0, 150}, this);
  // The download address lives in a column the user does not see.
  ListView2->setColumnHidden(kAddressColumn, true);
  // A header click sorts by that column through ListView2Compare; Qt's own sorting would turn the order
  // round at a second click.
  ListView2->header()->setSectionsClickable(true);
  ListView2->setStyleSheet(
      QStringLiteral("QTreeView::item { border-right: 1px solid #d8d8d8; "
                     "border-bottom: 1px solid #d8d8d8; }"));
  left->addWidget(ListView2, 1);
  auto* buttons = new QHBoxLayout;
  BitBtn1 = ui::button("BitBtn1", "OK", this);
  BitBtn2 = ui::button("BitBtn2", "Abbrechen", this);
  BitBtn3 = ui::button("BitBtn3", "Alles auswählen", this);
  BitBtn4 = ui::button("BitBtn4", "Nichts auswählen", this);
  for (QPushButton* b : {BitBtn1, BitBtn3, BitBtn4}) b->setEnabled(false);
  for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) buttons->addWidget(b);
  buttons->addStretch(1);
  left->addLayout(buttons);
  layout->addLayout(left, 1);

  Panel2 = named(new QFrame(this), "Panel2", QStringLiteral("Auswahl der Rezepte"));
  Panel2->setFixedWidth(230);
  auto* right = new QVBoxLayout(Panel2);
  right->setContentsMargins(0, 0, 0, 0);
  BitBtn8 = ui::button("BitBtn8", "Nach neuen Rezepten suchen", Panel2);
  GroupBox1 = named(new QGroupBox(QStringLiteral("Kategorie"), Panel2), "GroupBox1", QStringLiteral("Kategorie"));
  auto* radios = new QGridLayout(GroupBox1);
  auto radio = [this](const char* objectName, const char* caption) {
    return named(new QRadioButton(utf8(caption), GroupBox1), objectName, utf8(caption));
  };
  RadioButton7 = radio("RadioButton7", "Alle");
  RadioButton1 = radio("RadioButton1", "Vorspeisen");
  RadioButton2 = radio("RadioButton2", "Suppen");
  RadioButton3 = radio("RadioButton3", "Hauptgerichte");
  RadioButton4 = radio("RadioButton4", "Desserts");
  RadioButton5 = radio("RadioButton5", "Backwaren");
  RadioButton6 = radio("RadioButton6", "Getränke");
  RadioButton7->setChecked(true);
  QRadioButton* const order[] = {RadioButton7, RadioButton1, RadioButton2, RadioButton3,
                                 RadioButton4, RadioButton5, RadioButton6};
  for (int i = 0; i < 7; ++i) radios->addWidget(order[i], i % 4, i / 4);
  SpeedButton3 = named(new QToolButton(Panel2), "SpeedButton3", utf8("Alles/Nichts auswählen"));
  SpeedButton3->setText(utf8("Alles/Nichts auswählen"));
  SpeedButton3->setAutoRaise(true);
  SpeedButton3->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  CheckListBox2 = ui::checkList("CheckListBox2", "Unterkategorien", Panel2);
  // Two columns: items flow down, then into the next column.
  CheckListBox2->setFlow(QListView::TopToBottom);
  CheckListBox2->setWrapping(true);
  CheckListBox2->setResizeMode(QListView::Adjust);
  right->addWidget(BitBtn8);
  right->addWidget(GroupBox1);
  right->addWidget(SpeedButton3);
  right->addWidget(CheckListBox2, 1);
  layout->addWidget(Panel2);

  connectControls();
}

void UpdateTab::connectControls() {
  const std::pair<QPushButton*, void (UpdateTab::*)()> buttons[] = {{BitBtn8, &UpdateTab::BitBtn8Click},
                                                                    {BitBtn1, &UpdateTab::BitBtn1Click},
                                                                    {BitBtn2, &UpdateTab::BitBtn2Click},
                                                                    {BitBtn3, &UpdateTab::BitBtn3Click},
                                                                    {BitBtn4, &UpdateTab::BitBtn4Click}};
  for (const auto& [b, click] : buttons)
    connect(b, &QPushButton::clicked, this, main_.handler([this, click] { (this->*click)(); }));
  const std::pair<QRadioButton*, void (UpdateTab::*)()> radios[] = {
      {RadioButton1, &UpdateTab::RadioButton1Click}, {RadioButton2, &UpdateTab::RadioButton2Click},
      {RadioButton3, &UpdateTab::RadioButton3Click}, {RadioButton4, &UpdateTab::RadioButton4Click},
      {RadioButton5, &UpdateTab::RadioButton5Click}, {RadioButton6, &UpdateTab::RadioButton6Click},
      {RadioButton7, &UpdateTab::RadioButton7Click}};
  for (const auto& [r, click] : radios)
    connect(r, &QRadioButton::clicked, this, main_.handler([this, click] { (this->*click)(); }));
  connect(CheckListBox2, &QListWidget::itemChanged, this, main_.handler([this] { CheckListBox2ClickCheck(); }));
  connect(SpeedButton3, &QToolButton::clicked, this, main_.handler([this] { SpeedButton3Click(); }));
  connect(ListView2->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { main_.handler([this, column] { ListView2ColumnClick(column); })(); });
}

std::string UpdateTab::filterName() const {
  for (const auto& [button, filter] : kFilters)
    if (const auto* radio = findChild<QRadioButton*>(QLatin1String(button)); radio && radio->isChecked())
      return std::string(filter);
  return std::string(kAllCategories);
}

void UpdateTab::setButtonsEnabled(bool enabled) {
  for (QPushButton* b : {BitBtn1, BitBtn3, BitBtn4}) b->setEnabled(enabled);
}

void UpdateTab::fillView(const std::vector<std::size_t>& records) {
  ListView2->clear();
  QList<QTreeWidgetItem*> items;
  for (const std::size_t i : records) {
    const ListRecord& r = offer_[i];
    auto* item = new QTreeWidgetItem;
    const std::string* columns[] = {&r.name, &r.author, &r.date, &r.address, &r.categoryLine};
    for (int c = 0; c < kColumns; ++c) item->setText(c, ui::fromCp1252(*columns[c]));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    items.append(item);
  }
  ListView2->addTopLevelItems(items);
  sortColumn_ = 0;
  sortView();
}

int UpdateTab::sortKeyColumn() const { return sortColumn_ >= 0 && sortColumn_ < kColumns ? sortColumn_ : 0; }

int UpdateTab::ListView2Compare(const QTreeWidgetItem* a, const QTreeWidgetItem* b) const {
  const int column = sortKeyColumn();
  return compareColumn(column, columnBytes(a, column), columnBytes(b, column));
}

void UpdateTab::sortView() {
  // Each item's key converted once, not at every comparison; the order is ListView2Compare's.
  const int column = sortKeyColumn();
  std::vector<std::pair<std::string, QTreeWidgetItem*>> keyed;
  keyed.reserve(static_cast<std::size_t>(ListView2->topLevelItemCount()));
  while (ListView2->topLevelItemCount() > 0) {
    QTreeWidgetItem* item = ListView2->takeTopLevelItem(0);
    keyed.emplace_back(columnBytes(item, column), item);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [column](const auto& a, const auto& b) { return compareColumn(column, a.first, b.first) < 0; });
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(keyed.size()));
  for (const auto& [key, item] : keyed) items.append(item);
  ListView2->addTopLevelItems(items);
}

void UpdateTab::BitBtn8Click() {
  if (main_.transferRunning()) return;
  check();
}

void UpdateTab::check() {
  setButtonsEnabled(true);
  BitBtn2->setEnabled(true);
  std::vector<ListRecord> page = parseListPage(http_.fetch(siteUrl_ + std::string(kListPagePath), kMaxPageBytes));
  std::vector<KnownPair> deleted;
  for (auto& [name, author] : deleted_.pairs()) deleted.emplace_back(name, author);
  removeKnown(page, knownPairs(main_.store(), deleted));
  offer_ = std::move(page);
  std::vector<std::size_t> all(offer_.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  fillView(all);
  if (!RadioButton7->isChecked()) {
    const QSignalBlocker blocker(RadioButton7);
    RadioButton7->setChecked(true);
    RadioButton7Click();
  }
  const std::string news = http_.fetch(siteUrl_ + std::string(kNewsPagePath), kMaxPageBytes);
  if (news_ != nullptr) news_->showNews(news);
}

void UpdateTab::categoryFilter(const std::string& filter) {
  ListView2->clear();
  {
    // Ticks set here are no user's tick: the subcategory filter does not run.
    const QSignalBlocker blocker(CheckListBox2);
    CheckListBox2->clear();
    if (filter != kAllCategories) {
      for (const std::string& name : store::subcategoriesSorted(filter)) {
        auto* item = new QListWidgetItem(ui::fromCp1252(name), CheckListBox2);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
      }
    }
  }
  fillView(filterOffer(offer_, filter, nullptr));
}

void UpdateTab::RadioButton1Click() { categoryFilter(std::string(kCategoryNames[0])); }
void UpdateTab::RadioButton2Click() { categoryFilter(std::string(kCategoryNames[1])); }
void UpdateTab::RadioButton3Click() { categoryFilter(std::string(kCategoryNames[2])); }
void UpdateTab::RadioButton4Click() { categoryFilter(std::string(kCategoryNames[3])); }
void UpdateTab::RadioButton5Click() { categoryFilter(std::string(kCategoryNames[4])); }
void UpdateTab::RadioButton6Click() { categoryFilter(std::string(kCategoryNames[5])); }
void UpdateTab::RadioButton7Click() { categoryFilter(std::string(kAllCategories)); }

void UpdateTab::CheckListBox2ClickCheck() {
  const std::string filter = filterName();
  std::vector<std::string> ticked;
  for (int i = 0; i < CheckListBox2->count(); ++i)
    if (CheckListBox2->item(i)->checkState() == Qt::Checked)
      ticked.push_back(ui::toCp1252(CheckListBox2->item(i)->text()));
  fillView(filterOffer(offer_, filter, filter == kAllCategories ? nullptr : &ticked));
}

void UpdateTab::SpeedButton3Click() {
  bool anyUnticked = false;
  for (int i = 0; i < CheckListBox2->count(); ++i)
    anyUnticked = anyUnticked || CheckListBox2->item(i)->checkState() != Qt::Checked;
  {
    const QSignalBlocker blocker(CheckListBox2);
    for (int i = 0; i < CheckListBox2->count(); ++i)
      CheckListBox2->item(i)->setCheckState(anyUnticked ? Qt::Checked : Qt::Unchecked);
  }
  CheckListBox2ClickCheck();
}

void UpdateTab::ListView2ColumnClick(int column) {
  sortColumn_ = column;
  sortView();
}

void UpdateTab::BitBtn1Click() {
  if (main_.transferRunning()) return;
  setButtonsEnabled(false);
  cancelled_ = false;
  if (!downloadTicked()) return;
  ListView2->clear();
  main_.showTab(ui::MainWindow::kTabRecipe);
  main_.listCurrentCategory();
  if (const std::optional<QString> first =
          main_.recipeName(ui::MainWindow::RecipeList::Browse, ui::MainWindow::Item::First))
    main_.showRecipe(*first);
  main_.prompts().message(QStringLiteral("Quenna`s Zestovar wurde upgedatet."));
  window()->setWindowTitle(QString::fromUtf16(ui::kProgramTitle));
}

bool UpdateTab::downloadTicked() {
  // Each item fetches from its own address, whatever became of the offer since the view was filled. An
  // address ticked twice is fetched once: its recipe is downloaded then.
  std::vector<std::string> addresses;
  for (int i = 0; i < ListView2->topLevelItemCount(); ++i)
    if (const QTreeWidgetItem* item = ListView2->topLevelItem(i); item->checkState(0) == Qt::Checked)
      if (std::string address = columnBytes(item, kAddressColumn);
          std::find(addresses.begin(), addresses.end(), address) == addresses.end())
        addresses.push_back(std::move(address));
  store::Files& files = main_.files();
  const auto downloadFile = store::resolveProgramFile(files, main_.programDir(), kDownloadFileName);
  files.remove(downloadFile);
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    if (cancelled_) {
      main_.prompts().message(QStringLiteral("Download-Vorgang wurde abgebrochen."));
      window()->setWindowTitle(QString::fromUtf16(ui::kProgramTitle));
      return false;
    }
    window()->setWindowTitle(QStringLiteral("Noch %1 Rezepte übrig").arg(addresses.size() - i));
    const std::string body = http_.fetch(addresses[i], kMaxRecipeBytes);
    // "newzsv.dat" holds the body with a line end after it, as the recipe is written to disk; only its
    // whole records that walk as complete entries reach the update recipe file.
    store::writeWholeFile(files, downloadFile, body + "\r\n");
    const auto written = store::readOwnFile(files, downloadFile);
    files.remove(downloadFile);
    main_.store().appendToUpdateFile(checkedDownload(written.value_or(std::string())));
    forgetDownloaded(addresses[i]);
  }
  return true;
}

void UpdateTab::forgetDownloaded(const std::string& address) {
  std::erase_if(offer_, [&](const ListRecord& record) { return record.address == address; });
  for (int i = ListView2->topLevelItemCount(); i-- > 0;)
    if (columnBytes(ListView2->topLevelItem(i), kAddressColumn) == address) delete ListView2->takeTopLevelItem(i);
}

void UpdateTab::BitBtn2Click() { cancelled_ = true; }

void UpdateTab::BitBtn3Click() {
  for (int i = 0; i < ListView2->topLevelItemCount(); ++i) ListView2->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void UpdateTab::BitBtn4Click() {
  for (int i = 0; i < ListView2->topLevelItemCount(); ++i) ListView2->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
}

}  // namespace zestovar::online
