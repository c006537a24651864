#include "editing/EditorTab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "editing/HHU2.h"
#include "editing/RecipeForm.h"
#include "store/DeletedRecipes.h"
#include "ui/Controls.h"
#include "ui/EventHook.h"
#include "ui/TextCodec.h"

namespace zestovar::editing {
namespace {

// An editable combo box that takes no typed text into its items and no line break into its text.
QComboBox* editableBox(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  keepOneLine(box->lineEdit());
  return box;
}

// First-click clearing: the first click after start-up and after each save empties the memo, but
// only while it still holds its start value, so text the user typed is never lost.
void clearOnFirstClick(QPlainTextEdit* memo, bool& clicked) {
  if (!clicked && memo->toPlainText().isEmpty()) memo->clear();
  clicked = true;
}

}  // namespace

using ui::label;
using ui::named;
using ui::utf8;

EditorTab::EditorTab(ui::MainWindow& main, store::DeletedRecipes& deleted, QWidget* parent)
    : QWidget(parent), main_(main), deleted_(deleted) {
  named(this, "TabSheet4", utf8("Hinzufügen"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(12);

  auto* left = new QVBoxLayout;
  left->setSpacing(3);
  Label1 = label("Label1", "Rezeptname:", this);
  Edit4 = named(new QLineEdit(this), "Edit4", QStringLiteral("Rezeptname:"));
  keepOneLine(Edit4);
  Label2 = label("Label2", "Autor des Rezepts:", this);
  Edit3 = named(new QLineEdit(this), "Edit3", QStringLiteral("Autor des Rezepts:"));
  keepOneLine(Edit3);
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
  // Tab moves on to the next control, as everywhere in the form, instead of putting a tab into the
  // recipe's lines.
  Memo3->setTabChangesFocus(true);
  Memo2->setTabChangesFocus(true);
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
  ComboBox3->addItems(categoryTexts());
  ComboBox3->setCurrentIndex(-1);
  ComboBox3->setEditText(QString::fromUtf16(kChooseCategory));
  Label10 = label("Label10", "Unterkategorien:", this);
  CheckListBox3 = ui::checkList("CheckListBox3", "Unterkategorien:", this);
  Label11 = label("Label11", "Herkunft:", this);
  ComboBox4 = editableBox(named(new QComboBox(this), "ComboBox4", QStringLiteral("Herkunft:")));
  ComboBox4->addItems(originTexts());
  ComboBox4->setCurrentIndex(ComboBox4->findText(QStringLiteral("keine Angabe")));
  Label9->setBuddy(ComboBox3);
  Label11->setBuddy(ComboBox4);
  Label12 = label("Label12", "Bild:", this);
  // The preview shows a picture, no text: a screen reader names it by its role.
  Image1 = named(new QLabel(this), "Image1", QStringLiteral("Bild"));
  Image1->setFixedSize(128, 128);
  Image1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Image1->setAlignment(Qt::AlignCenter);
  BitBtn9 = ui::button("BitBtn9", "Bild laden", this);
  BitBtn11 = ui::button("BitBtn11", "kein Bild", this);
  BitBtn10 = ui::button("BitBtn10", "Speichern", this);
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
  new ui::EventHook(Memo3->viewport(), QEvent::MouseButtonPress, main_.handler([this] { Memo3Click(); }));
  new ui::EventHook(Memo2->viewport(), QEvent::MouseButtonPress, main_.handler([this] { Memo2Click(); }));
  // "Speichern" is the tab's default button: Enter in a field of one line saves. A combo box would
  // otherwise take the Enter as a choice of its text first, which empties the subcategory list.
  for (QWidget* field : std::initializer_list<QWidget*>{Edit4, Edit3, ComboBox5, ComboBox3, ComboBox3->lineEdit(),
                                                        ComboBox4, ComboBox4->lineEdit()})
    onEnter(field, main_.handler([this] { BitBtn10Click(); }));
}

void EditorTab::ComboBox3Change() { fillSubcategories(CheckListBox3, ComboBox3->currentText()); }

void EditorTab::BitBtn9Click() { choosePicture(main_, Image1, picturePath_); }

void EditorTab::BitBtn11Click() {
  picturePath_.clear();
  Image1->clear();
}

RecipeFields EditorTab::fields() const {
  RecipeFields fields;
  fields.category = ui::toCp1252(ComboBox3->currentText());
  fields.subcategories = subcategoryItems(CheckListBox3);
  fields.name = ui::toCp1252(Edit4->text());
  fields.origin = ui::toCp1252(ComboBox4->currentText());
  fields.ingredients = memoLines(Memo3);
  fields.preparation = shownMemoLines(Memo2);
  fields.author = ui::toCp1252(Edit3->text());
  fields.persons = ui::toCp1252(ComboBox5->currentText());
  fields.picture = toPath(picturePath_);
  return fields;
}

void EditorTab::BitBtn10Click() {
  if (main_.transferRunning()) return;
  const RecipeFields shown = fields();
  if (!hasCategory(shown)) {
    main_.prompts().message(ui::fromUtf8(store::kNoCategoryChosen));
    return;
  }
  if (main_.store().nameExists(storedName(shown.name))) {
    main_.prompts().message(ui::fromUtf8(store::kNameTaken));
    return;
  }
  main_.store().appendEntry(toNewRecipe(shown));
  main_.prompts().message(QString::fromUtf16(kSavedMessage));
  resetAfterSave();
}

// The values after a save; the origin box keeps its text, and no recipe list is listed again.
void EditorTab::resetAfterSave() {
  CheckListBox3->clear();
  ComboBox3->setCurrentIndex(-1);
  ComboBox3->setEditText(QString::fromUtf16(kChooseCategory));
  memo3Clicked_ = false;
  memo2Clicked_ = false;
  Edit4->setText(QStringLiteral("Name der Rezepts"));
  Edit3->setText(QStringLiteral("Name"));
  ComboBox5->setCurrentIndex(ComboBox5->findText(QStringLiteral("2")));
  Memo3->clear();
  Memo2->clear();
  picturePath_.clear();
  Image1->clear();
}

void EditorTab::Memo3Click() { clearOnFirstClick(Memo3, memo3Clicked_); }
void EditorTab::Memo2Click() { clearOnFirstClick(Memo2, memo2Clicked_); }

void EditorTab::EntfernenClick(ui::MainWindow::RecipeList list) {
  if (main_.transferRunning()) return;
  if (const std::optional<QString> name = main_.recipeName(list, ui::MainWindow::Item::Selected)) {
    deleted_.deleteRecipe(main_.store(), ui::toCp1252(*name));
    if (list != ui::MainWindow::RecipeList::Browse) {
      const std::vector<std::string> left = main_.removeSelected(list);
      if (removedFromList) removedFromList(list, left);
    }
  }
  main_.listCurrentCategory();
}

void EditorTab::ndernClick(ui::MainWindow::RecipeList list) {
  if (main_.transferRunning()) return;
  const std::optional<QString> name = main_.recipeName(list, ui::MainWindow::Item::Selected);
  if (!name || changeDialog_ == nullptr) return;
  // Listing can rename a repeated name on disk, so it comes before the dialog loads the entry.
  main_.listCurrentCategory();
  changeDialog_->load(ui::toCp1252(*name));
  main_.prompts().showModal(*changeDialog_);
}

}  // namespace zestovar::editing
