#include "views/MHU.h"

#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "BuildValues.h"
#include "app/Application.h"
#include "app/TextCodec.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"
#include "store/FileIo.h"
#include "store/SideFile.h"
#include "views/DefaultPicture.h"

using zestovar::app::fromCp1252;

namespace {

// The origin values the editors offer.
constexpr const char* kOrigins[] = {
    "afrikanisch",   "amerikanisch", "arabisch",      "argentinisch", "asiatisch",          "australisch",
    "chinesisch",    "deutsch",      "englisch",      "französisch",  "griechisch",         "indisch",
    "International", "italienisch",  "japanisch",     "keine Angabe", "lateinamerikanisch", "österreichisch",
    "polnisch",      "russisch",     "schweizerisch", "spanisch",     "ungarisch"};

template <typename W>
W* named(W* widget, const char* objectName, const QString& accessibleName) {
  widget->setObjectName(QLatin1String(objectName));
  widget->setAccessibleName(accessibleName);
  return widget;
}

QString tr8(const char* utf8) { return QString::fromUtf8(utf8); }

QAction* addEntry(QMenu* menu, const char* objectName, const char* caption) {
  QAction* action = menu->addAction(tr8(caption));
  action->setObjectName(QLatin1String(objectName));
  return action;
}

QPushButton* button(const char* objectName, const char* caption, QWidget* parent) {
  return named(new QPushButton(tr8(caption), parent), objectName, tr8(caption));
}

QLabel* label(const char* objectName, const char* caption, QWidget* parent) {
  return named(new QLabel(tr8(caption), parent), objectName, tr8(caption));
}

// A report view with check boxes; the items get their boxes when they are added.
QTreeWidget* reportView(const char* objectName, const char* accessibleName, const QStringList& columns,
                        const QList<int>& widths, QWidget* parent) {
  auto* view = named(new QTreeWidget(parent), objectName, tr8(accessibleName));
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setColumnCount(static_cast<int>(columns.size()));
  view->setHeaderLabels(columns);
  view->header()->setStretchLastSection(false);
  for (int i = 0; i < widths.size(); ++i) view->setColumnWidth(i, widths[i]);
  return view;
}

QListWidget* checkList(const char* objectName, const char* accessibleName, QWidget* parent) {
  auto* list = named(new QListWidget(parent), objectName, tr8(accessibleName));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

}  // namespace

TForm1::TForm1(std::filesystem::path programDir, zestovar::app::Prompts& prompts, QWidget* parent)
    : QMainWindow(parent), programDir_(std::move(programDir)), prompts_(prompts) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf16(zestovar::app::kProgramTitle));
  setAccessibleName(QString::fromUtf16(zestovar::app::kProgramTitle));

  const std::string_view picture = zestovar::embedded::defaultPicture();
  defaultPicture_ = QByteArray(picture.data(), static_cast<qsizetype>(picture.size()));

  buildMenu();

  StatusBar1 = named(new QStatusBar(this), "StatusBar1", QStringLiteral("Statusleiste"));
  StatusBar1->setSizeGripEnabled(true);
  StatusPanel1 = named(new QLabel(StatusBar1), "StatusPanel1", QStringLiteral("Anzahl der Rezepte"));
  StatusBar1->addPermanentWidget(StatusPanel1, 1);
  setStatusBar(StatusBar1);

  PageControl1 = named(new QTabWidget(this), "PageControl1", QStringLiteral("Hauptseiten"));
  TabSheet1 = buildRecipeTab();
  TabSheet2 = buildUpdateTab();
  TabSheet3 = buildPublishTab();
  TabSheet4 = buildEditorTab();
  TabSheet5 = buildShoppingTab();
  PageControl1->addTab(TabSheet1, QStringLiteral("Rezept"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Datenbank updaten"));
  PageControl1->addTab(TabSheet3, QStringLiteral("Datenbank online stellen"));
  PageControl1->addTab(TabSheet4, tr8("Hinzufügen"));
  PageControl1->addTab(TabSheet5, QStringLiteral("Einkaufsliste"));
  setCentralWidget(PageControl1);

  connectMenu();
  connectBrowsing();
  connectSearch();

  resize(865, 635);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }

  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildMenu() {
  MainMenu1 = named(new QMenuBar(this), "MainMenu1", QStringLiteral("Hauptmenü"));
  setMenuBar(MainMenu1);

  auto menu = [this](const char* objectName, const char* caption) {
    QMenu* m = named(MainMenu1->addMenu(tr8(caption)), objectName, tr8(caption).remove(QLatin1Char('&')));
    return m;
  };
  Datei1 = menu("Datei1", "&Datei");
  Drucken1 = addEntry(Datei1, "Drucken1", "&Drucken");
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

TForm1::ListMenu TForm1::buildListMenu(QListWidget* list, const char* menuName, int number) {
  ListMenu m{};
  m.menu = named(new QMenu(this), menuName, QStringLiteral("Rezeptmenü"));
  auto entry = [&](const char* stem, const char* caption) {
    const QByteArray objectName = QByteArray(stem) + QByteArray::number(number);
    return addEntry(m.menu, objectName.constData(), caption);
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

QWidget* TForm1::buildRecipeTab() {
  auto* tab = named(new QWidget, "TabSheet1", QStringLiteral("Rezept"));
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(3);

  Panel1 = named(new QFrame(tab), "Panel1", QStringLiteral("Rezeptauswahl"));
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

  // Inner tab "Rezept": category, subcategories, browse list.
  TabSheet6 = named(new QWidget, "TabSheet6", QStringLiteral("Rezept"));
  auto* browse = new QVBoxLayout(TabSheet6);
  browse->setContentsMargins(3, 3, 3, 3);
  browse->setSpacing(3);
  ComboBox1 = named(new QComboBox(TabSheet6), "ComboBox1", QStringLiteral("Kategorie"));
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setCompleter(nullptr);
  for (std::string_view name : zestovar::store::kCategoriesAlphabetical) ComboBox1->addItem(fromCp1252(name));
  // The stored text until start-up chooses "Backwaren".
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setEditText(QStringLiteral("Vorspeise"));
  SpeedButton1 = named(new QToolButton(TabSheet6), "SpeedButton1", tr8("Alles/Nichts auswählen"));
  SpeedButton1->setText(tr8("Alles/Nichts auswählen"));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  Splitter1 = named(new QSplitter(Qt::Vertical, TabSheet6), "Splitter1", QStringLiteral("Teiler"));
  CheckListBox1 = checkList("CheckListBox1", "Unterkategorien", Splitter1);
  ListBox3 = named(new QListWidget(Splitter1), "ListBox3", QStringLiteral("Rezepte"));
  Splitter1->addWidget(CheckListBox1);
  Splitter1->addWidget(ListBox3);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({120, 400});
  browse->addWidget(ComboBox1);
  browse->addWidget(SpeedButton1);
  browse->addWidget(Splitter1, 1);
  PageControl2->addTab(TabSheet6, QStringLiteral("Rezept"));

  // Inner tab "Suchen".
  TabSheet7 = named(new QWidget, "TabSheet7", QStringLiteral("Suchen"));
  auto* search = new QVBoxLayout(TabSheet7);
  search->setContentsMargins(3, 3, 3, 3);
  Splitter2 = named(new QSplitter(Qt::Vertical, TabSheet7), "Splitter2", QStringLiteral("Teiler"));
  auto* form = new QWidget(Splitter2);
  form->setObjectName(QStringLiteral("Panel3"));
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
                       tr8("Getränke")});
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
  Button3 = button("Button3", "Starten", form);
  formLayout->addWidget(Edit5);
  formLayout->addWidget(ComboBox2);
  formLayout->addWidget(RadioGroup1);
  formLayout->addWidget(Button3);
  formLayout->addStretch(1);
  ListBox4 = named(new QListWidget(Splitter2), "ListBox4", QStringLiteral("Suchergebnis"));
  Splitter2->addWidget(form);
  Splitter2->addWidget(ListBox4);
  Splitter2->setChildrenCollapsible(false);
  Splitter2->setStretchFactor(1, 1);
  search->addWidget(Splitter2);
  PageControl2->addTab(TabSheet7, QStringLiteral("Suchen"));

  // Inner tab "Merkliste".
  TabSheet8 = named(new QWidget, "TabSheet8", QStringLiteral("Merkliste"));
  auto* bookmarks = new QVBoxLayout(TabSheet8);
  bookmarks->setContentsMargins(3, 3, 3, 3);
  ListBox5 = named(new QListWidget(TabSheet8), "ListBox5", QStringLiteral("Merkliste"));
  bookmarks->addWidget(ListBox5);
  PageControl2->addTab(TabSheet8, QStringLiteral("Merkliste"));

  PopupMenu1 = buildListMenu(ListBox3, "PopupMenu1", 1);
  PopupMenu2 = buildListMenu(ListBox4, "PopupMenu2", 2);
  PopupMenu3 = buildListMenu(ListBox5, "PopupMenu3", 3);

  WebBrowser1 = named(new zestovar::views::PageViewer(tab), "WebBrowser1", QStringLiteral("Rezeptseite"));
  WebBrowser1->setProgramDir(QString::fromStdString(programDir_.string()));

  layout->addWidget(Panel1);
  layout->addWidget(WebBrowser1, 1);
  return tab;
}

QWidget* TForm1::buildUpdateTab() {
  auto* tab = named(new QWidget, "TabSheet2", QStringLiteral("Datenbank updaten"));
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(6, 6, 6, 6);

  auto* left = new QVBoxLayout;
  ListView2 = reportView("ListView2", "Angebotene Rezepte",
                         {QStringLiteral("Name"), QStringLiteral("Autor"), QStringLiteral("Datum"), QString(),
                          QStringLiteral("Kategorie")},
                         {200, 150, 100, 0, 150}, tab);
  // The download address lives in a column the user does not see.
  ListView2->setColumnHidden(3, true);
  ListView2->setStyleSheet(
      QStringLiteral("QTreeView::item { border-right: 1px solid #d8d8d8; "
                     "border-bottom: 1px solid #d8d8d8; }"));
  left->addWidget(ListView2, 1);
  auto* buttons = new QHBoxLayout;
  BitBtn1 = button("BitBtn1", "OK", tab);
  BitBtn2 = button("BitBtn2", "Abbrechen", tab);
  BitBtn3 = button("BitBtn3", "Alles auswählen", tab);
  BitBtn4 = button("BitBtn4", "Nichts auswählen", tab);
  for (QPushButton* b : {BitBtn1, BitBtn3, BitBtn4}) b->setEnabled(false);
  for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) buttons->addWidget(b);
  buttons->addStretch(1);
  left->addLayout(buttons);
  layout->addLayout(left, 1);

  Panel2 = named(new QFrame(tab), "Panel2", QStringLiteral("Auswahl der Rezepte"));
  Panel2->setFixedWidth(230);
  auto* right = new QVBoxLayout(Panel2);
  right->setContentsMargins(0, 0, 0, 0);
  BitBtn8 = button("BitBtn8", "Nach neuen Rezepten suchen", Panel2);
  GroupBox1 = named(new QGroupBox(QStringLiteral("Kategorie"), Panel2), "GroupBox1", QStringLiteral("Kategorie"));
  auto* radios = new QGridLayout(GroupBox1);
  auto radio = [this](const char* objectName, const char* caption) {
    return named(new QRadioButton(tr8(caption), GroupBox1), objectName, tr8(caption));
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
  SpeedButton3 = named(new QToolButton(Panel2), "SpeedButton3", tr8("Alles/Nichts auswählen"));
  SpeedButton3->setText(tr8("Alles/Nichts auswählen"));
  SpeedButton3->setAutoRaise(true);
  SpeedButton3->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  CheckListBox2 = checkList("CheckListBox2", "Unterkategorien", Panel2);
  // Two columns: items flow down, then into the next column.
  CheckListBox2->setFlow(QListView::TopToBottom);
  CheckListBox2->setWrapping(true);
  CheckListBox2->setResizeMode(QListView::Adjust);
  right->addWidget(BitBtn8);
  right->addWidget(GroupBox1);
  right->addWidget(SpeedButton3);
  right->addWidget(CheckListBox2, 1);
  layout->addWidget(Panel2);
  return tab;
}

QWidget* TForm1::buildPublishTab() {
  auto* tab = named(new QWidget, "TabSheet3", QStringLiteral("Datenbank online stellen"));
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(6, 6, 6, 6);
  ListView3 = reportView("ListView3", "Eigene Rezepte", {QStringLiteral("Rezeptname"), QStringLiteral("Autor")},
                         {300, 100}, tab);
  layout->addWidget(ListView3, 1);
  auto* buttons = new QHBoxLayout;
  BitBtn5 = button("BitBtn5", "OK", tab);
  BitBtn6 = button("BitBtn6", "Alles auswählen", tab);
  BitBtn7 = button("BitBtn7", "Nichts auswählen", tab);
  for (QPushButton* b : {BitBtn5, BitBtn6, BitBtn7}) buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  return tab;
}

QWidget* TForm1::buildEditorTab() {
  auto* tab = named(new QWidget, "TabSheet4", tr8("Hinzufügen"));
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(12);

  auto* left = new QVBoxLayout;
  left->setSpacing(3);
  Label1 = label("Label1", "Rezeptname:", tab);
  Edit4 = named(new QLineEdit(tab), "Edit4", QStringLiteral("Rezeptname:"));
  Label2 = label("Label2", "Autor des Rezepts:", tab);
  Edit3 = named(new QLineEdit(tab), "Edit3", QStringLiteral("Autor des Rezepts:"));
  Label1->setBuddy(Edit4);
  Label2->setBuddy(Edit3);
  auto* persons = new QHBoxLayout;
  Label3 = label("Label3", "(Zutaten für ", tab);
  ComboBox5 = named(new QComboBox(tab), "ComboBox5", QStringLiteral("Personen"));
  for (int i = 1; i <= 50; ++i) ComboBox5->addItem(QString::number(i));
  ComboBox5->setCurrentIndex(1);
  Label6 = label("Label6", "Personen)", tab);
  persons->addWidget(Label3);
  persons->addWidget(ComboBox5);
  persons->addWidget(Label6);
  persons->addStretch(1);
  Label7 = label("Label7", "Zutaten:", tab);
  Memo3 = named(new QPlainTextEdit(tab), "Memo3", QStringLiteral("Zutaten:"));
  Label8 = label("Label8", "Zubereitung:", tab);
  Memo2 = named(new QPlainTextEdit(tab), "Memo2", QStringLiteral("Zubereitung:"));
  Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  for (QWidget* w : std::initializer_list<QWidget*>{Label1, Edit4, Label2, Edit3}) left->addWidget(w);
  left->addSpacing(4);
  left->addLayout(persons);
  left->addWidget(Label7);
  left->addWidget(Memo3, 2);
  left->addWidget(Label8);
  left->addWidget(Memo2, 3);
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  right->setSpacing(3);
  Label9 = label("Label9", "Kategorie:", tab);
  ComboBox3 = named(new QComboBox(tab), "ComboBox3", QStringLiteral("Kategorie:"));
  ComboBox3->setEditable(true);
  ComboBox3->setInsertPolicy(QComboBox::NoInsert);
  ComboBox3->setCompleter(nullptr);
  for (std::string_view name : zestovar::store::kCategoriesAlphabetical) ComboBox3->addItem(fromCp1252(name));
  ComboBox3->setCurrentIndex(-1);
  ComboBox3->setEditText(tr8("Kategorie wählen"));
  Label10 = label("Label10", "Unterkategorien:", tab);
  CheckListBox3 = checkList("CheckListBox3", "Unterkategorien:", tab);
  Label11 = label("Label11", "Herkunft:", tab);
  ComboBox4 = named(new QComboBox(tab), "ComboBox4", QStringLiteral("Herkunft:"));
  ComboBox4->setEditable(true);
  ComboBox4->setInsertPolicy(QComboBox::NoInsert);
  ComboBox4->setCompleter(nullptr);
  {
    std::vector<std::string> origins;
    for (const char* origin : kOrigins) origins.push_back(zestovar::app::toCp1252(tr8(origin)));
    zestovar::store::sortBrowseList(origins);
    for (const std::string& origin : origins) ComboBox4->addItem(fromCp1252(origin));
  }
  ComboBox4->setCurrentIndex(ComboBox4->findText(QStringLiteral("keine Angabe")));
  Label9->setBuddy(ComboBox3);
  Label11->setBuddy(ComboBox4);
  Label12 = label("Label12", "Bild:", tab);
  Image1 = named(new QLabel(tab), "Image1", QStringLiteral("Bild"));
  Image1->setFixedSize(128, 128);
  Image1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Image1->setAlignment(Qt::AlignCenter);
  BitBtn9 = button("BitBtn9", "Bild laden", tab);
  BitBtn11 = button("BitBtn11", "kein Bild", tab);
  BitBtn10 = button("BitBtn10", "Speichern", tab);
  BitBtn10->setDefault(true);
  auto* picture = new QHBoxLayout;
  auto* pictureButtons = new QVBoxLayout;
  pictureButtons->addWidget(BitBtn9);
  pictureButtons->addWidget(BitBtn11);
  pictureButtons->addStretch(1);
  picture->addWidget(Image1);
  picture->addLayout(pictureButtons);
  for (QWidget* w : std::initializer_list<QWidget*>{Label9, ComboBox3, Label10}) right->addWidget(w);
  right->addWidget(CheckListBox3, 1);
  right->addWidget(Label11);
  right->addWidget(ComboBox4);
  right->addWidget(Label12);
  right->addLayout(picture);
  right->addSpacing(8);
  right->addWidget(BitBtn10);
  auto* rightPane = new QWidget(tab);
  rightPane->setObjectName(QStringLiteral("Panel4"));
  rightPane->setFixedWidth(280);
  rightPane->setLayout(right);
  right->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rightPane);
  return tab;
}

QWidget* TForm1::buildShoppingTab() {
  auto* tab = named(new QWidget, "TabSheet5", QStringLiteral("Einkaufsliste"));
  auto* layout = new QHBoxLayout(tab);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(12);
  ListBox2 = named(new QListWidget(tab), "ListBox2", QStringLiteral("Einkaufsliste"));
  PopupMenu4 = named(new QMenu(this), "PopupMenu4", QStringLiteral("Einkaufslistenmenü"));
  Entfernen4 = addEntry(PopupMenu4, "Entfernen4", "entfernen");
  ListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox2, &QWidget::customContextMenuRequested, PopupMenu4,
          [this](const QPoint& pos) { PopupMenu4->popup(ListBox2->viewport()->mapToGlobal(pos)); });
  layout->addWidget(ListBox2, 1);

  auto* right = new QVBoxLayout;
  Label13 = label("Label13", "Zutat:", tab);
  Edit6 = named(new QLineEdit(tab), "Edit6", QStringLiteral("Zutat:"));
  Label13->setBuddy(Edit6);
  Button6 = button("Button6", "Hinzufügen", tab);
  Button5 = button("Button5", "Einkaufliste drucken", tab);
  Button7 = button("Button7", "Einkaufliste löschen", tab);
  right->addWidget(Label13);
  right->addWidget(Edit6);
  right->addWidget(Button6);
  right->addSpacing(24);
  right->addWidget(Button5);
  right->addWidget(Button7);
  right->addStretch(1);
  auto* rightPane = new QWidget(tab);
  rightPane->setObjectName(QStringLiteral("Panel5"));
  rightPane->setFixedWidth(260);
  rightPane->setLayout(right);
  right->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rightPane);
  return tab;
}

void TForm1::showMainTab(int index) {
  const QSignalBlocker blocker(PageControl1);
  PageControl1->setCurrentIndex(index);
}

void TForm1::showInnerTab(int index) {
  const QSignalBlocker blocker(PageControl2);
  PageControl2->setCurrentIndex(index);
}

void TForm1::setStatusText(const QString& text) { StatusPanel1->setText(text); }

QString TForm1::statusText() const { return StatusPanel1->text(); }

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
  runStep([this] { loadProxySettings(); });
  runStep([this] { subcategoryTable_ = zestovar::store::subcategoryTable(); });
  runStep([this] { loadShoppingList(); });
  runStep([this] { loadDeletedRecipes(); });
  runStep([this] { version_ = QString::fromLatin1(zestovar::build::kVersion); });
  runStep([this] { openStore(); });
  runStep([this] {
    ComboBox1->setCurrentIndex(0);
    ComboBox1Change();
  });
}

void TForm1::runStep(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    zestovar::app::showError(prompts_, error);
  }
}

void TForm1::loadProxySettings() {
  // "Proxy.cfg" is applied to the HTTP client, which the network settings bring.
}

void TForm1::loadShoppingList() {
  for (const std::string& line :
       zestovar::store::readSideFile(*files_, programDir_, zestovar::store::kShoppingListFileName))
    ListBox2->addItem(fromCp1252(line));
}

void TForm1::loadDeletedRecipes() {
  deletedRecipes_.clear();
  deletedRecipes_ = zestovar::store::readSideFile(*files_, programDir_, zestovar::store::kDeletedRecipesFileName);
}

void TForm1::openStore() { store_ = std::make_unique<zestovar::store::RecipeStore>(programDir_, files_); }
