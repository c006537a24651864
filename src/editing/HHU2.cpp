#include "editing/HHU2.h"

#include <exception>
#include <optional>

#include "store/Cp1252.h"
#include "store/FileIo.h"
#include "ui/Controls.h"
#include "ui/Guarded.h"
#include "ui/Prompts.h"
#include "ui/TextCodec.h"

using zestovar::ui::utf8;
namespace editing = zestovar::editing;

namespace {

constexpr std::string_view kLoadedPictureFileName = "IM1.jpg";
constexpr char16_t kAfterSaveName[] = u"Name eintragen";

const editing::RecipeFormLayout kChangeForm = {
    editing::RecipeFormLayout::Entry::Loaded,
    editing::RecipeFormLayout::Preparation::Wrapped,
    "Autor:",
    160,
    kAfterSaveName,
    {"Panel6",        "Label1", "Label4",    "Label6",  "Label5",  "Label7",  "Label8",
     "Label10",       "Memo2",  "Label11",   "Memo1",   "Panel7",  "Label2",  "Label3",
     "CheckListBox1", "Label9", "ComboBox1", "Button1", "Button2", "Button5", "Button4"}};

// Names and sizes the dialog; gives the row its two panes stand in.
QHBoxLayout* paneRow(QDialog* dialog) {
  dialog->setObjectName(QStringLiteral("Form14"));
  dialog->setWindowTitle(QString::fromUtf16(zestovar::ui::kProgramTitle));
  dialog->setAccessibleName(dialog->windowTitle());
  dialog->setModal(true);
  dialog->resize(780, 580);
  auto* row = new QHBoxLayout(dialog);
  row->setSpacing(12);
  return row;
}

}  // namespace

TForm14::TForm14(zestovar::ui::MainWindow& main, QWidget* parent)
    : QDialog(parent), main_(main), row_(paneRow(this)), form_(main, *this, *row_, kChangeForm) {
  Label4 = form_.nameLabel;
  Label5 = form_.authorLabel;
  ComboBox5 = form_.persons;
  Memo2 = form_.ingredients;
  Memo1 = form_.preparation;
  ComboBox3 = form_.category;
  CheckListBox1 = form_.subcategories;
  ComboBox1 = form_.origin;
  Image1 = form_.picture;
  Button1 = form_.loadPicture;
  Button2 = form_.noPicture;
  Button5 = form_.save;
  Button4 = form_.keep;
  // The dialog has no default button: an Enter meant for a list or a box saves nothing. A dialog
  // makes a button that takes the focus its default, so none does; Enter and Space still press the
  // button that has the focus.
  for (QPushButton* button : {Button1, Button2, Button5, Button4}) {
    button->setAutoDefault(false);
    editing::onEnter(button, [button] { button->click(); });
  }

  connect(ComboBox3, &QComboBox::textActivated, this, main_.handler([this] { ComboBox3Change(); }));
  connect(Button1, &QPushButton::clicked, this, main_.handler([this] { Button1Click(); }));
  connect(Button2, &QPushButton::clicked, this, main_.handler([this] { Button2Click(); }));
  connect(Button5, &QPushButton::clicked, this, main_.handler([this] { Button5Click(); }));
  connect(Button4, &QPushButton::clicked, this, [this] { reject(); });
}

void TForm14::load(const std::string& name) {
  const std::optional<zestovar::store::StoredRecipe> entry = main_.store().lastByName(name);
  if (!entry) return;
  form_.showRecipe(*entry);
  form_.clearPicture();
  if (!entry->hasPicture) return;
  const std::filesystem::path picture =
      zestovar::store::resolveProgramFile(main_.files(), main_.programDir(), kLoadedPictureFileName);
  zestovar::store::writeWholeFile(main_.files(), picture, entry->picture);
  try {
    form_.takePicture(QString::fromStdString(picture.string()));
  } catch (const std::exception& error) {
    // The dialog still opens: the picture's bytes are stored again with the next save.
    zestovar::ui::showError(main_.prompts(), error);
  }
}

void TForm14::ComboBox3Change() { form_.listSubcategories(); }

void TForm14::Button1Click() { form_.choosePicture(); }

void TForm14::Button2Click() { form_.clearPicture(); }

void TForm14::Button5Click() {
  if (main_.transferRunning()) return;
  const editing::RecipeFields shown = form_.fields();
  if (!editing::hasCategory(shown)) {
    main_.prompts().message(zestovar::ui::fromUtf8(zestovar::store::kNoCategoryChosen));
    return;
  }
  // The store builds the new entry before it removes the old one, so no failure loses the recipe.
  main_.store().replaceEntry(shown.name, editing::toNewRecipe(shown));
  main_.prompts().message(QString::fromUtf16(editing::kSavedMessage));
  form_.reset();
  reject();
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
