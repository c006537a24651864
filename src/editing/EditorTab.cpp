#include "editing/EditorTab.h"

#include <string>
#include <vector>

#include "editing/HHU2.h"
#include "store/DeletedRecipes.h"
#include "ui/Controls.h"
#include "ui/EventHook.h"
#include "ui/TextCodec.h"

namespace zestovar::editing {
namespace {

const RecipeFormLayout kEditorForm = {
    RecipeFormLayout::Entry::Typed,
    RecipeFormLayout::Preparation::Lines,
    "Autor des Rezepts:",
    128,
    u"Name der Rezepts",
    {nullptr,         "Label1",  "Edit4",     "Label2",  "Edit3",    "Label3",   "Label6",
     "Label7",        "Memo3",   "Label8",    "Memo2",   "Panel4",   "Label9",   "Label10",
     "CheckListBox3", "Label11", "ComboBox4", "BitBtn9", "BitBtn11", "BitBtn10", nullptr}};

// Names the tab; gives the row its two panes stand in, with the tab's margins.
QHBoxLayout* paneRow(QWidget* tab) {
  ui::named(tab, "TabSheet4", ui::utf8("Hinzufügen"));
  auto* row = new QHBoxLayout(tab);
  row->setContentsMargins(8, 8, 8, 8);
  row->setSpacing(12);
  return row;
}

}  // namespace

EditorTab::EditorTab(ui::MainWindow& main, store::DeletedRecipes& deleted, QWidget* parent)
    : QWidget(parent), main_(main), deleted_(deleted), row_(paneRow(this)), form_(main, *this, *row_, kEditorForm) {
  Edit4 = form_.nameField;
  Edit3 = form_.authorField;
  ComboBox5 = form_.persons;
  Memo3 = form_.ingredients;
  Memo2 = form_.preparation;
  ComboBox3 = form_.category;
  CheckListBox3 = form_.subcategories;
  ComboBox4 = form_.origin;
  Image1 = form_.picture;
  BitBtn9 = form_.loadPicture;
  BitBtn11 = form_.noPicture;
  BitBtn10 = form_.save;
  BitBtn10->setDefault(true);
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

void EditorTab::ComboBox3Change() { form_.listSubcategories(); }

void EditorTab::BitBtn9Click() { form_.choosePicture(); }

void EditorTab::BitBtn11Click() { form_.clearPicture(); }

void EditorTab::BitBtn10Click() {
  if (main_.transferRunning()) return;
  const RecipeFields shown = form_.fields();
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
  // No recipe list is listed again.
  form_.reset();
}

void EditorTab::fill(const store::NewRecipe& recipe, const QString& picturePath) {
  store::StoredRecipe shown;
  shown.head.category = recipe.category;
  shown.head.subcategories = store::subcategoryRecord(recipe.subcategories);
  shown.head.name = recipe.name;
  shown.origin = recipe.origin;
  shown.ingredients = recipe.ingredients;
  shown.preparationPieces = {recipe.preparation};
  shown.author = recipe.author;
  shown.persons = recipe.persons;
  main_.showTab(ui::MainWindow::kTabEditor);
  form_.showRecipe(shown);
  if (picturePath.isEmpty())
    form_.clearPicture();
  else
    form_.takePicture(picturePath);
}

void EditorTab::Memo3Click() { form_.ingredientsClicked(); }
void EditorTab::Memo2Click() { form_.preparationClicked(); }

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
