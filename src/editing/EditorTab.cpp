#include "editing/EditorTab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "app/Controls.h"
#include "app/EventHook.h"
#include "app/TextCodec.h"
#include "store/BrowseOrder.h"
#include "store/Categories.h"

namespace zestovar::editing {
namespace {

// The origin values the editors offer.
constexpr const char* kOrigins[] = {
    "afrikanisch",   "amerikanisch", "arabisch",      "argentinisch", "asiatisch",          "australisch",
    "chinesisch",    "deutsch",      "englisch",      "französisch",  "griechisch",         "indisch",
    "International", "italienisch",  "japanisch",     "keine Angabe", "lateinamerikanisch", "österreichisch",
    "polnisch",      "russisch",     "schweizerisch", "spanisch",     "ungarisch"};

// An editable combo box that takes no typed text into its items.
QComboBox* editableBox(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  return box;
}

}  // namespace

using app::label;
using app::named;
using app::utf8;

EditorTab::EditorTab(app::MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  named(this, "TabSheet4", utf8("Hinzufügen"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(12);

  auto* left = new QVBoxLayout;
  left->setSpacing(3);
  Label1 = label("Label1", "Rezeptname:", this);
  Edit4 = named(new QLineEdit(this), "Edit4", QStringLiteral("Rezeptname:"));
  Label2 = label("Label2", "Autor des Rezepts:", this);
  Edit3 = named(new QLineEdit(this), "Edit3", QStringLiteral("Autor des Rezepts:"));
  Label1->setBuddy(Edit4);
  Label2->setBuddy(Edit3);
  auto* persons = new QHBoxLayout;
  Label3 = label("Label3", "(Zutaten für ", this);
  ComboBox5 = named(new QComboBox(this), "ComboBox5", QStringLiteral("Personen"));
  for (int i = 1; i <= 50; ++i) ComboBox5->addItem(QString::number(i));
  ComboBox5->setCurrentIndex(1);
  Label6 = label("Label6", "Personen)", this);
  persons->addWidget(Label3);
  persons->addWidget(ComboBox5);
  persons->addWidget(Label6);
  persons->addStretch(1);
  Label7 = label("Label7", "Zutaten:", this);
  Memo3 = named(new QPlainTextEdit(this), "Memo3", QStringLiteral("Zutaten:"));
  Label8 = label("Label8", "Zubereitung:", this);
  Memo2 = named(new QPlainTextEdit(this), "Memo2", QStringLiteral("Zubereitung:"));
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
  Label9 = label("Label9", "Kategorie:", this);
  ComboBox3 = editableBox(named(new QComboBox(this), "ComboBox3", QStringLiteral("Kategorie:")));
  for (std::string_view name : store::kCategoriesAlphabetical) ComboBox3->addItem(app::fromCp1252(name));
  ComboBox3->setCurrentIndex(-1);
  ComboBox3->setEditText(utf8("Kategorie wählen"));
  Label10 = label("Label10", "Unterkategorien:", this);
  CheckListBox3 = app::checkList("CheckListBox3", "Unterkategorien:", this);
  Label11 = label("Label11", "Herkunft:", this);
  ComboBox4 = editableBox(named(new QComboBox(this), "ComboBox4", QStringLiteral("Herkunft:")));
  {
    std::vector<std::string> origins;
    for (const char* origin : kOrigins) origins.push_back(app::toCp1252(utf8(origin)));
    store::sortBrowseList(origins);
    for (const std::string& origin : origins) ComboBox4->addItem(app::fromCp1252(origin));
  }
  ComboBox4->setCurrentIndex(ComboBox4->findText(QStringLiteral("keine Angabe")));
  Label9->setBuddy(ComboBox3);
  Label11->setBuddy(ComboBox4);
  Label12 = label("Label12", "Bild:", this);
  // The preview shows a picture, no text: a screen reader names it by its role.
  Image1 = named(new QLabel(this), "Image1", QStringLiteral("Bild"));
  Image1->setFixedSize(128, 128);
  Image1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Image1->setAlignment(Qt::AlignCenter);
  BitBtn9 = app::button("BitBtn9", "Bild laden", this);
  BitBtn11 = app::button("BitBtn11", "kein Bild", this);
  BitBtn10 = app::button("BitBtn10", "Speichern", this);
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
  auto* rightPane = named(new QWidget(this), "Panel4", QStringLiteral("Einordnung und Bild"));
  rightPane->setFixedWidth(280);
  rightPane->setLayout(right);
  right->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(rightPane);

  connectControls();
}

void EditorTab::connectControls() {
  connect(ComboBox3, &QComboBox::textActivated, this, main_.handler([this] { ComboBox3Change(); }));
  connect(ComboBox3->lineEdit(), &QLineEdit::textEdited, this, main_.handler([this] { ComboBox3Change(); }));
  connect(BitBtn9, &QPushButton::clicked, this, main_.handler([this] { BitBtn9Click(); }));
  connect(BitBtn11, &QPushButton::clicked, this, main_.handler([this] { BitBtn11Click(); }));
  connect(BitBtn10, &QPushButton::clicked, this, main_.handler([this] { BitBtn10Click(); }));
  new app::EventHook(Memo3->viewport(), QEvent::MouseButtonPress, main_.handler([this] { Memo3Click(); }));
  new app::EventHook(Memo2->viewport(), QEvent::MouseButtonPress, main_.handler([this] { Memo2Click(); }));
}

void EditorTab::ComboBox3Change() {}
void EditorTab::BitBtn9Click() {}
void EditorTab::BitBtn11Click() {}
void EditorTab::BitBtn10Click() {}
void EditorTab::Memo3Click() {}
void EditorTab::Memo2Click() {}

void EditorTab::EntfernenClick(app::MainWindow::RecipeList) {}
void EditorTab::ndernClick(app::MainWindow::RecipeList) {}

}  // namespace zestovar::editing
