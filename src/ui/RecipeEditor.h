// What other parts of the program may do with the recipe editor (the tab "Hinzufügen"): fill it with
// a recipe for the user to check and save with the editor's own "Speichern".
#pragma once

#include <QString>

#include "store/Entry.h"

namespace zestovar::ui {

class RecipeEditor {
 public:
  virtual ~RecipeEditor() = default;
  // Whether the editor holds input that differs from its start values.
  virtual bool holdsInput() const = 0;
  // Brings the editor to the front with the recipe's fields in place of its own; the picture is the
  // file at picturePath, none when it is empty.
  virtual void fill(const store::NewRecipe& recipe, const QString& picturePath) = 0;
};

}  // namespace zestovar::ui
