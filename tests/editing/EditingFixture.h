// The program started headless on a program directory of its own, with what the editing tests do
// to its controls as a user would.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <string>

#include "ProgramFixture.h"
#include "ScriptedPrompts.h"
#include "StoreFixtures.h"
#include "editing/EditorTab.h"
#include "editing/HHU2.h"
#include "editing/RecipeForm.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

namespace zestovar::test {

using Kind = ui::ScriptedPrompts::Kind;

// A real recipe picture of the shipped book.
inline std::filesystem::path recipePicture() { return ZESTOVAR_DATA_DIR "/recipes/bruschetta.jpg"; }

// The program on the two recipe files given.
class Editing : public StartedProgram {
 public:
  explicit Editing(const std::string& mainFile = {}, const std::string& updateFile = {})
      : StartedProgram({{"Zestovar.dat", mainFile}, {"zsv.dat", updateFile}}) {}
  ~Editing() { dialog().hide(); }

  editing::EditorTab& editor() { return program.editorTab(); }
  TForm14& dialog() { return program.changeDialog(); }
};

inline QStringList ticked(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->checkState() == Qt::Checked) out.append(list->item(i)->text());
  return out;
}

// A tick set by the user's click.
inline void tick(QListWidget* list, const QString& name, bool on = true) {
  const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
  QVERIFY2(!items.isEmpty(), qPrintable(name));
  items.front()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// A recipe form after a save: the start values again, but for the origin box, which keeps its text.
// A caller returns when the test failed here.
inline void verifyReset(const editing::RecipeForm& form, const QString& name, const QString& origin) {
  QCOMPARE(form.subcategories->count(), 0);
  QCOMPARE(form.category->currentIndex(), -1);
  QCOMPARE(form.category->currentText(), u"Kategorie wählen"_qs);
  QCOMPARE(form.name(), name);
  QCOMPARE(form.author(), u"Name"_qs);
  QCOMPARE(form.persons->currentText(), u"2"_qs);
  QVERIFY(form.ingredients->toPlainText().isEmpty());
  QVERIFY(form.preparation->toPlainText().isEmpty());
  QVERIFY(form.picturePath().isEmpty());
  QVERIFY(form.picture->pixmap().isNull());
  QCOMPARE(form.origin->currentText(), origin);
}

// An item of a combo box chosen with the mouse from its open list.
inline void choose(QComboBox* box, const QString& text) {
  const int index = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  QVERIFY2(index >= 0, qPrintable(text));
  box->setCurrentIndex(index);
  emit box->textActivated(box->itemText(index));
}

}  // namespace zestovar::test
