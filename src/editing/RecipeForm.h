// The recipe form the editor tab and the change dialog share: its two panes, reading its fields,
// setting them back after a save, and its picture.
#pragma once

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <string_view>

#include "editing/FormControls.h"
#include "editing/RecipeFields.h"
#include "store/Entry.h"
#include "ui/MainWindow.h"

namespace zestovar::editing {

// The object names of a recipe form's controls, which differ from window to window, in the order
// the controls stand in the window. A window without a pane of its own for the recipe puts the
// controls on itself; one without a button that closes without saving has the save button alone.
struct RecipeFormNames {
  const char *recipePane, *nameCaption, *name, *authorCaption, *author, *personsBefore, *personsAfter,
      *ingredientsCaption, *ingredients, *preparationCaption, *preparation;
  const char *choicePane, *categoryCaption, *subcategoriesCaption, *subcategories, *originCaption, *origin,
      *loadPicture, *noPicture, *save, *keep;
};

// How a window shows the recipe form.
struct RecipeFormLayout {
  // Typed: name and author are fields of one line, and category and origin take typed text as well
  // as a choice. Loaded: name and author are labels that show what was loaded, and category and
  // origin are chosen with the mouse only, a key sets them back.
  enum class Entry { Typed, Loaded } entry;
  // Wrapped: the preparation memo wraps words, and the save makes a line end of each wrap after a
  // blank. Lines: it keeps the user's lines and scrolls both ways.
  enum class Preparation { Lines, Wrapped } preparation;
  const char* authorText;  // the author's caption
  int pictureEdge;
  const char16_t* nameAfterSave;
  RecipeFormNames names;
};

// The recipe form of the editor tab and of the change dialog. The controls stand in the window in
// the order a user tabs through them; the window wires them to its handlers.
class RecipeForm {
 public:
  // Builds both panes into row, a layout of window.
  RecipeForm(ui::MainWindow& main, QWidget& window, QBoxLayout& row, const RecipeFormLayout& layout);

  RecipeFields fields() const;
  // The values after a save; the origin box keeps its text.
  void reset();
  // Shows a recipe's fields, as loading a stored one does (the category, an item of persons chosen
  // without regard to letter case, the subcategories its record names ticked); the picture stays.
  void showRecipe(const store::StoredRecipe& recipe);
  // Whether a field differs from the value it starts with (or, for name and author, the one a save
  // leaves): the user has put something into the form.
  bool holdsInput() const;

  // The subcategories of the category shown, none ticked.
  void listSubcategories();
  // Ticks the subcategories a record's words name.
  void tickSubcategories(std::string_view words);
  // Selects a category item; with none, the box asks for a choice. The subcategory list stays.
  void chooseCategory(int index);
  // Shows text as the origin, selecting the item that is exactly that text.
  void showOrigin(const QString& text);
  // An empty name or author label is read by its role, a filled one by the text it shows.
  void setName(const QString& name);
  void setAuthor(const QString& author);
  QString name() const;
  QString author() const;

  // "Bild laden": the picture dialog; when the user picks a file, it becomes the picture path
  // first, then the preview loads it. A file that cannot be shown gives the error box and keeps the
  // path, so its bytes are stored with the next save.
  void choosePicture();
  // "kein Bild".
  void clearPicture();
  // Takes path as the picture and shows it; throws StoreError or PictureError, keeping the path.
  void takePicture(const QString& path);
  // The picture file the next save stores; empty for none.
  const QString& picturePath() const { return picturePath_; }

  // First-click clearing of the two memos, for a window that clears them.
  void ingredientsClicked();
  void preparationClicked();

  QLineEdit *nameField = nullptr, *authorField = nullptr;  // typed
  QLabel *nameLabel = nullptr, *authorLabel = nullptr;     // otherwise
  QComboBox* persons;
  QPlainTextEdit *ingredients, *preparation;
  QComboBox* category;
  QListWidget* subcategories;
  QComboBox* origin;
  QLabel* picture;
  QPushButton *loadPicture, *noPicture, *save;
  QPushButton* keep = nullptr;

 private:
  void buildRecipePane(QWidget& window, QBoxLayout& row);
  void buildChoicePane(QWidget& window, QBoxLayout& row);

  ui::MainWindow& main_;
  const RecipeFormLayout layout_;
  QString picturePath_;
  bool ingredientsClicked_ = false;
  bool preparationClicked_ = false;
};

}  // namespace zestovar::editing
