#include "editing/RecipeForm.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSet>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

#include "editing/SubcategoryTicks.h"
#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/RecordFormat.h"
#include "ui/Controls.h"
#include "ui/EventHook.h"
#include "ui/TextCodec.h"

namespace zestovar::editing {
namespace {

// The edge of the picture dialog's preview.
constexpr int kDialogPreviewEdge = 160;

// What a save leaves in the author and persons boxes; holdsInput counts them as no input.
constexpr char16_t kAuthorAfterSave[] = u"Name";
constexpr char16_t kPersonsAfterSave[] = u"2";

// An editable combo box that takes no typed text into its items and no line break into its text.
QComboBox* editableBox(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  keepOneLine(box->lineEdit());
  return box;
}

// A box whose text is only chosen with the mouse: its list opens on a click into the text, and the
// program can still show a text that is none of its items.
QComboBox* choiceBox(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->lineEdit()->setReadOnly(true);
  new ui::EventHook(box->lineEdit(), QEvent::MouseButtonPress, [box] { box->showPopup(); });
  return box;
}

// A key pressed or released in a choice box sets its text back, so a category or origin is only
// ever taken from a choice with the mouse. Tab and Shift Tab (and the modifiers that go with them)
// and Escape, which asks to close the dialog, act on the dialog instead, so tabbing through the
// dialog keeps what was loaded. A release counts only when its key was pressed in the box: the
// release of the Enter that chose "Ändern" lands in the box the dialog opens with.
class ResetOnKey : public QObject {
 public:
  ResetOnKey(QComboBox* box, std::function<void()> reset) : QObject(box), reset_(std::move(reset)) {
    box->installEventFilter(this);
    box->lineEdit()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
      return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Escape:
      case Qt::Key_Shift:
      case Qt::Key_Control:
      case Qt::Key_Alt:
      case Qt::Key_AltGr:
      case Qt::Key_Meta:
        return QObject::eventFilter(watched, event);
      default:
        break;
    }
    if (event->type() == QEvent::KeyPress) {
      pressed_.insert(key->key());
      reset_();
    } else if (!key->isAutoRepeat() && pressed_.remove(key->key())) {
      reset_();
    }
    return true;
  }

 private:
  std::function<void()> reset_;
  QSet<int> pressed_;
};

// Shows text in a field, or in a label that a screen reader reads by its role while it is empty and
// by the text it shows once it is filled.
void showText(QLineEdit* field, QLabel* label, const QString& text, const QString& role) {
  if (field != nullptr) {
    field->setText(text);
    return;
  }
  label->setText(text);
  label->setAccessibleName(text.isEmpty() ? role : QString());
}

QString shownText(const QLineEdit* field, const QLabel* label) {
  return field != nullptr ? field->text() : label->text();
}

// First-click clearing: the first click after start-up and after each save empties the memo, but
// only while it still holds its start value, so text the user typed is never lost.
void clearOnFirstClick(QPlainTextEdit* memo, bool& clicked) {
  if (!clicked && memo->toPlainText().isEmpty()) memo->clear();
  clicked = true;
}

// The index of the item equal to text (Windows-1252) without regard to letter case; -1 for none.
int findIgnoringCase(const QComboBox* box, std::string_view text) {
  for (int i = 0; i < box->count(); ++i)
    if (store::equalsIgnoringCase(ui::toCp1252(box->itemText(i)), text)) return i;
  return -1;
}

// Loads a picture file into a preview; throws StoreError or PictureError, leaving the preview empty.
void showPictureFile(store::Files& files, QLabel* preview, const QString& path) {
  preview->clear();
  const std::optional<std::string> bytes = store::readWholeFile(files, toPath(path));
  if (!bytes) throw store::StoreError(std::string(store::kFileNotFound));
  const QSize area = preview->contentsRect().size();
  showPicture(preview, previewImage(*bytes, std::max(area.width(), area.height())));
}

}  // namespace

using ui::label;
using ui::named;

RecipeForm::RecipeForm(ui::MainWindow& main, QWidget& window, QBoxLayout& row, const RecipeFormLayout& layout)
    : main_(main), layout_(layout) {
  buildRecipePane(window, row);
  buildChoicePane(window, row);
}

// Name, author, persons and the two memos.
void RecipeForm::buildRecipePane(QWidget& window, QBoxLayout& row) {
  const RecipeFormNames& names = layout_.names;
  const bool typed = layout_.entry == RecipeFormLayout::Entry::Typed;
  QWidget* pane = &window;
  auto* column = new QVBoxLayout;
  if (names.recipePane != nullptr) {
    pane = named(new QWidget(&window), names.recipePane, QStringLiteral("Rezept"));
    pane->setLayout(column);
    column->setContentsMargins(0, 0, 0, 0);
    row.addWidget(pane, 1);
  } else {
    row.addLayout(column, 1);
  }
  column->setSpacing(3);
  QLabel* nameCaption = label(names.nameCaption, "Rezeptname:", pane);
  column->addWidget(nameCaption);
  if (typed) {
    nameField = named(new QLineEdit(pane), names.name, QStringLiteral("Rezeptname:"));
    keepOneLine(nameField);
    QLabel* authorCaption = label(names.authorCaption, layout_.authorText, pane);
    authorField = named(new QLineEdit(pane), names.author, QString::fromUtf8(layout_.authorText));
    keepOneLine(authorField);
    nameCaption->setBuddy(nameField);
    authorCaption->setBuddy(authorField);
    for (QWidget* w : std::initializer_list<QWidget*>{nameField, authorCaption, authorField}) column->addWidget(w);
  } else {
    nameLabel = label(names.name, "", pane);
    nameLabel->setTextFormat(Qt::PlainText);
    QFont bold = nameLabel->font();
    bold.setBold(true);
    nameLabel->setFont(bold);
    auto* author = new QHBoxLayout;
    author->addWidget(label(names.authorCaption, layout_.authorText, pane));
    authorLabel = label(names.author, "", pane);
    authorLabel->setTextFormat(Qt::PlainText);
    author->addWidget(authorLabel, 1);
    column->addWidget(nameLabel);
    column->addLayout(author);
  }
  setName(QString());
  setAuthor(QString());
  auto* personsRow = new QHBoxLayout;
  personsRow->addWidget(label(names.personsBefore, "(Zutaten für ", pane));
  persons = named(new QComboBox(pane), "ComboBox5", QStringLiteral("Personen"));
  for (int i = 1; i <= 50; ++i) persons->addItem(QString::number(i));
  persons->setCurrentIndex(1);
  personsRow->addWidget(persons);
  personsRow->addWidget(label(names.personsAfter, "Personen)", pane));
  personsRow->addStretch(1);
  column->addSpacing(4);
  column->addLayout(personsRow);
  column->addWidget(label(names.ingredientsCaption, "Zutaten:", pane));
  ingredients = named(new QPlainTextEdit(pane), names.ingredients, QStringLiteral("Zutaten:"));
  column->addWidget(ingredients, 2);
  column->addWidget(label(names.preparationCaption, "Zubereitung:", pane));
  preparation = named(new QPlainTextEdit(pane), names.preparation, QStringLiteral("Zubereitung:"));
  column->addWidget(preparation, 3);
  if (layout_.preparation == RecipeFormLayout::Preparation::Wrapped) {
    preparation->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    preparation->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    preparation->setLineWrapMode(QPlainTextEdit::NoWrap);
    preparation->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  }
  preparation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Tab moves on to the next control, as everywhere in the form, instead of putting a tab into the
  // recipe's lines.
  ingredients->setTabChangesFocus(true);
  preparation->setTabChangesFocus(true);
}

// Category, subcategories, origin, picture and the buttons that save.
void RecipeForm::buildChoicePane(QWidget& window, QBoxLayout& row) {
  const RecipeFormNames& names = layout_.names;
  const bool typed = layout_.entry == RecipeFormLayout::Entry::Typed;
  auto* pane = named(new QWidget(&window), names.choicePane, QStringLiteral("Einordnung und Bild"));
  pane->setFixedWidth(280);
  auto* column = new QVBoxLayout(pane);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  QLabel* categoryCaption = label(names.categoryCaption, "Kategorie:", pane);
  category = named(new QComboBox(pane), "ComboBox3", QStringLiteral("Kategorie:"));
  if (typed)
    editableBox(category);
  else
    choiceBox(category);
  category->addItems(categoryTexts());
  chooseCategory(-1);
  QLabel* subcategoriesCaption = label(names.subcategoriesCaption, "Unterkategorien:", pane);
  subcategories = ui::checkList(names.subcategories, "Unterkategorien:", pane);
  QLabel* originCaption = label(names.originCaption, "Herkunft:", pane);
  origin = named(new QComboBox(pane), names.origin, QStringLiteral("Herkunft:"));
  if (typed)
    editableBox(origin);
  else
    choiceBox(origin);
  origin->addItems(originTexts());
  showOrigin(QString::fromLatin1(store::kNoOrigin));
  categoryCaption->setBuddy(category);
  originCaption->setBuddy(origin);
  if (!typed) {
    new ResetOnKey(category, [this] { chooseCategory(-1); });
    new ResetOnKey(origin, [this] { showOrigin(QString::fromLatin1(store::kNoOrigin)); });
  }
  QLabel* pictureCaption = label("Label12", "Bild:", pane);
  // The preview shows a picture, no text: a screen reader names it by its role.
  picture = named(new QLabel(pane), "Image1", QStringLiteral("Bild"));
  picture->setFixedSize(layout_.pictureEdge, layout_.pictureEdge);
  picture->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  picture->setAlignment(Qt::AlignCenter);
  loadPicture = ui::button(names.loadPicture, "Bild laden", pane);
  noPicture = ui::button(names.noPicture, "kein Bild", pane);
  save = ui::button(names.save, "Speichern", pane);
  if (names.keep != nullptr) keep = ui::button(names.keep, "Nicht ändern", pane);
  auto* pictureRow = new QHBoxLayout;
  auto* pictureButtons = new QVBoxLayout;
  pictureButtons->addWidget(loadPicture);
  pictureButtons->addWidget(noPicture);
  pictureButtons->addStretch(1);
  pictureRow->addWidget(picture);
  pictureRow->addLayout(pictureButtons);
  for (QWidget* w : std::initializer_list<QWidget*>{categoryCaption, category, subcategoriesCaption})
    column->addWidget(w);
  column->addWidget(subcategories, 1);
  column->addWidget(originCaption);
  column->addWidget(origin);
  column->addWidget(pictureCaption);
  column->addLayout(pictureRow);
  column->addSpacing(8);
  if (keep == nullptr) {
    column->addWidget(save);
  } else {
    auto* ending = new QHBoxLayout;
    ending->addWidget(save);
    ending->addWidget(keep);
    column->addLayout(ending);
  }
  row.addWidget(pane);
}

RecipeFields RecipeForm::fields() const {
  RecipeFields fields;
  fields.category = ui::toCp1252(category->currentText());
  fields.subcategories = subcategoryItems(subcategories);
  fields.name = ui::toCp1252(name());
  fields.origin = ui::toCp1252(origin->currentText());
  fields.ingredients = memoLines(ingredients);
  fields.preparation = shownMemoLines(preparation);
  fields.author = ui::toCp1252(author());
  fields.persons = ui::toCp1252(persons->currentText());
  fields.picture = toPath(picturePath_);
  return fields;
}

void RecipeForm::reset() {
  subcategories->clear();
  chooseCategory(-1);
  ingredientsClicked_ = false;
  preparationClicked_ = false;
  setName(QString::fromUtf16(layout_.nameAfterSave));
  setAuthor(QString::fromUtf16(kAuthorAfterSave));
  persons->setCurrentIndex(persons->findText(QString::fromUtf16(kPersonsAfterSave)));
  ingredients->clear();
  preparation->clear();
  clearPicture();
}

void RecipeForm::showRecipe(const store::StoredRecipe& recipe) {
  chooseCategory(findIgnoringCase(category, recipe.head.category));
  listSubcategories();
  tickSubcategories(recipe.head.subcategories);
  setName(ui::fromCp1252(recipe.head.name));
  showOrigin(ui::fromCp1252(recipe.origin));
  setMemoLines(ingredients, recipe.ingredients);
  setMemoParagraphs(preparation, preparationLines(recipe.preparation()));
  setAuthor(ui::fromCp1252(recipe.author));
  persons->setCurrentIndex(findIgnoringCase(persons, recipe.persons));
}

bool RecipeForm::holdsInput() const {
  const auto oneOf = [](const QString& text, std::initializer_list<QString> unchanged) {
    return std::find(unchanged.begin(), unchanged.end(), text) != unchanged.end();
  };
  return category->currentText() != QString::fromUtf16(kChooseCategory) ||
         !oneOf(name(), {QString(), QString::fromUtf16(layout_.nameAfterSave)}) ||
         !oneOf(author(), {QString(), QString::fromUtf16(kAuthorAfterSave)}) ||
         persons->currentText() != QString::fromUtf16(kPersonsAfterSave) ||
         origin->currentText() != QString::fromLatin1(store::kNoOrigin) || !ingredients->toPlainText().isEmpty() ||
         !preparation->toPlainText().isEmpty() || !picturePath_.isEmpty();
}

void RecipeForm::listSubcategories() { fillSubcategories(subcategories, category->currentText()); }

void RecipeForm::tickSubcategories(std::string_view words) {
  std::vector<Subcategory> items = subcategoryItems(subcategories);
  tickNamed(items, words);
  for (int i = 0; i < subcategories->count(); ++i)
    if (items[static_cast<std::size_t>(i)].ticked) subcategories->item(i)->setCheckState(Qt::Checked);
}

void RecipeForm::chooseCategory(int index) {
  category->setCurrentIndex(index);
  if (index < 0) category->setEditText(QString::fromUtf16(kChooseCategory));
}

void RecipeForm::showOrigin(const QString& text) {
  origin->setCurrentIndex(origin->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  origin->setEditText(text);
}

void RecipeForm::setName(const QString& name) { showText(nameField, nameLabel, name, QStringLiteral("Rezeptname")); }
void RecipeForm::setAuthor(const QString& author) {
  showText(authorField, authorLabel, author, QStringLiteral("Autor"));
}

QString RecipeForm::name() const { return shownText(nameField, nameLabel); }
QString RecipeForm::author() const { return shownText(authorField, authorLabel); }

void RecipeForm::choosePicture() {
  QString startDir = picturePath_.isEmpty() ? QString() : QFileInfo(picturePath_).absolutePath();
  if (startDir.isEmpty() || !QDir(startDir).exists())
    startDir = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (!QDir(startDir).exists()) startDir = QDir::homePath();
  const QString chosen = main_.prompts().openPicture(startDir, picturePreview(main_.files(), kDialogPreviewEdge));
  if (chosen.isEmpty()) return;
  try {
    takePicture(chosen);
  } catch (const store::NotAFileError&) {
    picturePath_.clear();  // a pipe or a device is never stored as the picture
    throw;
  }
}

void RecipeForm::clearPicture() {
  picturePath_.clear();
  picture->clear();
}

void RecipeForm::takePicture(const QString& path) {
  picturePath_ = path;
  showPictureFile(main_.files(), picture, picturePath_);
}

void RecipeForm::ingredientsClicked() { clearOnFirstClick(ingredients, ingredientsClicked_); }
void RecipeForm::preparationClicked() { clearOnFirstClick(preparation, preparationClicked_); }

}  // namespace zestovar::editing
