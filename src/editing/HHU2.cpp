#include "editing/HHU2.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <functional>
#include <optional>

#include "editing/RecipeForm.h"
#include "store/Cp1252.h"
#include "store/FileIo.h"
#include "ui/Controls.h"
#include "ui/EventHook.h"
#include "ui/Guarded.h"
#include "ui/Prompts.h"
#include "ui/TextCodec.h"

using zestovar::ui::label;
using zestovar::ui::named;
using zestovar::ui::utf8;
namespace editing = zestovar::editing;

namespace {

constexpr std::string_view kLoadedPictureFileName = "IM1.jpg";
constexpr char16_t kAfterSaveName[] = u"Name eintragen";

// A box whose text is only chosen with the mouse: its list opens on a click into the text, and the
// program can still show a text that is none of its items.
QComboBox* choiceBox(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->lineEdit()->setReadOnly(true);
  new zestovar::ui::EventHook(box->lineEdit(), QEvent::MouseButtonPress, [box] { box->showPopup(); });
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

// The index of the item equal to text (Windows-1252) without regard to letter case; -1 for none.
int findIgnoringCase(const QComboBox* box, std::string_view text) {
  for (int i = 0; i < box->count(); ++i)
    if (zestovar::store::equalsIgnoringCase(zestovar::ui::toCp1252(box->itemText(i)), text)) return i;
  return -1;
}

// Shows text in a box of choices, selecting the item that is exactly that text.
void showChoice(QComboBox* box, const QString& text) {
  box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  box->setEditText(text);
}

}  // namespace

TForm14::TForm14(zestovar::ui::MainWindow& main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName(QStringLiteral("Form14"));
  setWindowTitle(QString::fromUtf16(zestovar::ui::kProgramTitle));
  setAccessibleName(windowTitle());
  setModal(true);
  resize(780, 580);
  auto* layout = new QHBoxLayout(this);
  layout->setSpacing(12);
  layout->addWidget(buildRecipePane(), 1);
  layout->addWidget(buildChoicePane());

  connect(ComboBox3, &QComboBox::textActivated, this, main_.handler([this] { ComboBox3Change(); }));
  connect(Button1, &QPushButton::clicked, this, main_.handler([this] { Button1Click(); }));
  connect(Button2, &QPushButton::clicked, this, main_.handler([this] { Button2Click(); }));
  connect(Button5, &QPushButton::clicked, this, main_.handler([this] { Button5Click(); }));
  connect(Button4, &QPushButton::clicked, this, [this] { reject(); });
  new ResetOnKey(ComboBox3, [this] { chooseCategory(-1); });
  new ResetOnKey(ComboBox1, [this] { showChoice(ComboBox1, QString::fromLatin1(zestovar::store::kNoOrigin)); });
}

// Name, author, persons and the two memos.
QWidget* TForm14::buildRecipePane() {
  auto* pane = named(new QWidget(this), "Panel6", QStringLiteral("Rezept"));
  auto* column = new QVBoxLayout(pane);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  Label1 = label("Label1", "Rezeptname:", pane);
  Label4 = label("Label4", "", pane);
  Label4->setTextFormat(Qt::PlainText);
  QFont bold = Label4->font();
  bold.setBold(true);
  Label4->setFont(bold);
  setName(QString());
  auto* author = new QHBoxLayout;
  Label6 = label("Label6", "Autor:", pane);
  Label5 = label("Label5", "", pane);
  Label5->setTextFormat(Qt::PlainText);
  setAuthor(QString());
  author->addWidget(Label6);
  author->addWidget(Label5, 1);
  auto* persons = new QHBoxLayout;
  Label7 = label("Label7", "(Zutaten für ", pane);
  ComboBox5 = named(new QComboBox(pane), "ComboBox5", QStringLiteral("Personen"));
  for (int i = 1; i <= 50; ++i) ComboBox5->addItem(QString::number(i));
  ComboBox5->setCurrentIndex(1);
  Label8 = label("Label8", "Personen)", pane);
  persons->addWidget(Label7);
  persons->addWidget(ComboBox5);
  persons->addWidget(Label8);
  persons->addStretch(1);
  Label10 = label("Label10", "Zutaten:", pane);
  Memo2 = named(new QPlainTextEdit(pane), "Memo2", QStringLiteral("Zutaten:"));
  Label11 = label("Label11", "Zubereitung:", pane);
  // The preparation wraps words; a wrap point after a blank becomes a line end when the recipe is
  // saved.
  Memo1 = named(new QPlainTextEdit(pane), "Memo1", QStringLiteral("Zubereitung:"));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab moves through the dialog, as on the editor tab.
  Memo2->setTabChangesFocus(true);
  Memo1->setTabChangesFocus(true);
  column->addWidget(Label1);
  column->addWidget(Label4);
  column->addLayout(author);
  column->addSpacing(4);
  column->addLayout(persons);
  column->addWidget(Label10);
  column->addWidget(Memo2, 2);
  column->addWidget(Label11);
  column->addWidget(Memo1, 3);
  return pane;
}

// Category, subcategories, origin, picture and the two buttons that end the dialog.
QWidget* TForm14::buildChoicePane() {
  auto* pane = named(new QWidget(this), "Panel7", QStringLiteral("Einordnung und Bild"));
  pane->setFixedWidth(280);
  auto* column = new QVBoxLayout(pane);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  Label2 = label("Label2", "Kategorie:", pane);
  ComboBox3 = choiceBox(named(new QComboBox(pane), "ComboBox3", QStringLiteral("Kategorie:")));
  ComboBox3->addItems(editing::categoryTexts());
  chooseCategory(-1);
  Label3 = label("Label3", "Unterkategorien:", pane);
  CheckListBox1 = zestovar::ui::checkList("CheckListBox1", "Unterkategorien:", pane);
  Label9 = label("Label9", "Herkunft:", pane);
  ComboBox1 = choiceBox(named(new QComboBox(pane), "ComboBox1", QStringLiteral("Herkunft:")));
  ComboBox1->addItems(editing::originTexts());
  showChoice(ComboBox1, QString::fromLatin1(zestovar::store::kNoOrigin));
  Label2->setBuddy(ComboBox3);
  Label9->setBuddy(ComboBox1);
  Label12 = label("Label12", "Bild:", pane);
  // The preview shows a picture, no text: a screen reader names it by its role.
  Image1 = named(new QLabel(pane), "Image1", QStringLiteral("Bild"));
  Image1->setFixedSize(160, 160);
  Image1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Image1->setAlignment(Qt::AlignCenter);
  Button1 = zestovar::ui::button("Button1", "Bild laden", pane);
  Button2 = zestovar::ui::button("Button2", "kein Bild", pane);
  auto* picture = new QHBoxLayout;
  auto* pictureButtons = new QVBoxLayout;
  pictureButtons->addWidget(Button1);
  pictureButtons->addWidget(Button2);
  pictureButtons->addStretch(1);
  picture->addWidget(Image1);
  picture->addLayout(pictureButtons);
  Button5 = zestovar::ui::button("Button5", "Speichern", pane);
  Button4 = zestovar::ui::button("Button4", "Nicht ändern", pane);
  // The dialog has no default button: an Enter meant for a list or a box saves nothing. A dialog
  // makes a button that takes the focus its default, so none does; Enter and Space still press the
  // button that has the focus.
  for (QPushButton* button : {Button1, Button2, Button5, Button4}) {
    button->setAutoDefault(false);
    editing::onEnter(button, [button] { button->click(); });
  }
  auto* ending = new QHBoxLayout;
  ending->addWidget(Button5);
  ending->addWidget(Button4);
  column->addWidget(Label2);
  column->addWidget(ComboBox3);
  column->addWidget(Label3);
  column->addWidget(CheckListBox1, 1);
  column->addWidget(Label9);
  column->addWidget(ComboBox1);
  column->addWidget(Label12);
  column->addLayout(picture);
  column->addSpacing(8);
  column->addLayout(ending);
  return pane;
}

// An empty name or author label is read by its role, a filled one by the text it shows.
void TForm14::setName(const QString& name) {
  Label4->setText(name);
  Label4->setAccessibleName(name.isEmpty() ? QStringLiteral("Rezeptname") : QString());
}

void TForm14::setAuthor(const QString& author) {
  Label5->setText(author);
  Label5->setAccessibleName(author.isEmpty() ? QStringLiteral("Autor") : QString());
}

// Selects a category item; with none, the box asks for a choice. The subcategory list stays.
void TForm14::chooseCategory(int index) {
  ComboBox3->setCurrentIndex(index);
  if (index < 0) ComboBox3->setEditText(QString::fromUtf16(editing::kChooseCategory));
}

void TForm14::load(const std::string& name) {
  const std::optional<zestovar::store::StoredRecipe> entry = main_.store().lastByName(name);
  if (!entry) return;
  using zestovar::ui::fromCp1252;
  chooseCategory(findIgnoringCase(ComboBox3, entry->head.category));
  ComboBox3Change();
  const std::string& words = entry->head.subcategories;
  for (std::size_t start = 0; start <= words.size();) {
    const std::size_t blank = std::min(words.find(' ', start), words.size());
    const std::string_view word = std::string_view(words).substr(start, blank - start);
    for (int i = 0; i < CheckListBox1->count() && !word.empty(); ++i)
      if (zestovar::store::equalsIgnoringCase(zestovar::ui::toCp1252(CheckListBox1->item(i)->text()), word))
        CheckListBox1->item(i)->setCheckState(Qt::Checked);
    start = blank + 1;
  }
  setName(fromCp1252(entry->head.name));
  showChoice(ComboBox1, fromCp1252(entry->origin));
  editing::setMemoLines(Memo2, entry->ingredients);
  editing::setMemoParagraphs(Memo1, editing::preparationLines(entry->preparation()));
  setAuthor(fromCp1252(entry->author));
  ComboBox5->setCurrentIndex(findIgnoringCase(ComboBox5, entry->persons));
  Image1->clear();
  picturePath_.clear();
  if (!entry->hasPicture) return;
  const std::filesystem::path picture =
      zestovar::store::resolveProgramFile(main_.files(), main_.programDir(), kLoadedPictureFileName);
  zestovar::store::writeWholeFile(main_.files(), picture, entry->picture);
  picturePath_ = QString::fromStdString(picture.string());
  try {
    editing::loadPicture(main_.files(), Image1, picturePath_);
  } catch (const std::exception& error) {
    // The dialog still opens: the picture's bytes are stored again with the next save.
    zestovar::ui::showError(main_.prompts(), error);
  }
}

void TForm14::ComboBox3Change() { editing::fillSubcategories(CheckListBox1, ComboBox3->currentText()); }

void TForm14::Button1Click() { editing::choosePicture(main_, Image1, picturePath_); }

void TForm14::Button2Click() {
  picturePath_.clear();
  Image1->clear();
}

editing::RecipeFields TForm14::fields() const {
  using zestovar::ui::toCp1252;
  editing::RecipeFields fields;
  fields.category = toCp1252(ComboBox3->currentText());
  fields.subcategories = editing::subcategoryItems(CheckListBox1);
  fields.name = toCp1252(Label4->text());
  fields.origin = toCp1252(ComboBox1->currentText());
  fields.ingredients = editing::memoLines(Memo2);
  fields.preparation = editing::shownMemoLines(Memo1);
  fields.author = toCp1252(Label5->text());
  fields.persons = toCp1252(ComboBox5->currentText());
  fields.picture = editing::toPath(picturePath_);
  return fields;
}

void TForm14::Button5Click() {
  if (main_.transferRunning()) return;
  const editing::RecipeFields shown = fields();
  if (!editing::hasCategory(shown)) {
    main_.prompts().message(zestovar::ui::fromUtf8(zestovar::store::kNoCategoryChosen));
    return;
  }
  // The store builds the new entry before it removes the old one, so no failure loses the recipe.
  main_.store().replaceEntry(shown.name, editing::toNewRecipe(shown));
  main_.prompts().message(QString::fromUtf16(editing::kSavedMessage));
  resetAfterSave();
  reject();
}

// The values after a save; the origin box keeps its text.
void TForm14::resetAfterSave() {
  CheckListBox1->clear();
  chooseCategory(-1);
  setName(QString::fromUtf16(kAfterSaveName));
  setAuthor(QStringLiteral("Name"));
  ComboBox5->setCurrentIndex(ComboBox5->findText(QStringLiteral("2")));
  Memo2->clear();
  Memo1->clear();
  picturePath_.clear();
  Image1->clear();
}

void TForm14::reject() {
  if (Label4->text() == QString::fromUtf16(kAfterSaveName)) {
    if (QWidget* mainWindow = parentWidget()) {
      mainWindow->show();
      mainWindow->raise();
      mainWindow->activateWindow();
    }
    QDialog::reject();
    return;
  }
  const int answer = main_.prompts().warning(QStringLiteral("Warnung"),
                                             utf8("Sie haben nicht gespeichert. Das Rezept nicht verändern?"),
                                             {QStringLiteral("OK"), QStringLiteral("&Abbrechen")});
  if (answer == 0) QDialog::reject();
}
