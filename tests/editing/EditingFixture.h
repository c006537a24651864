// The program started headless on a program directory of its own, with what the editing tests do
// to its controls as a user would.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "ProgramFixture.h"
#include "ScriptedPrompts.h"
#include "StoreFixtures.h"
#include "app/Program.h"
#include "editing/EditorTab.h"
#include "editing/HHU2.h"
#include "editing/RecipeForm.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

namespace zestovar::test {

using Kind = ui::ScriptedPrompts::Kind;

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A real recipe picture of the shipped book.
inline std::filesystem::path recipePicture() { return ZESTOVAR_DATA_DIR "/recipes/bruschetta.jpg"; }

class Editing {
 public:
  explicit Editing(const std::string& mainFile = {}, const std::string& updateFile = {}) {
    dir.write("Zestovar.dat", mainFile);
    dir.write("zsv.dat", updateFile);
    started = std::make_unique<StartedProgram>(dir.path());
  }
  ~Editing() { dialog().hide(); }

  ui::ScriptedPrompts& prompts() { return started->prompts; }
  TForm1& main() { return started->program.mainWindow(); }
  views::RecipeTab& recipes() { return started->program.recipeTab(); }
  editing::EditorTab& editor() { return started->program.editorTab(); }
  TForm14& dialog() { return started->program.changeDialog(); }
  std::string read(const char* name) const { return dir.read(name); }

  TempDir dir;
  std::unique_ptr<StartedProgram> started;
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

// Two recipe files compared record by record; a failure names the first record that differs.
#define QCOMPARE_RECORDS(actual, expected)                                                 \
  do {                                                                                     \
    const ::testing::AssertionResult same = zestovar::test::sameRecords(actual, expected); \
    QVERIFY2(static_cast<bool>(same), same.message());                                     \
  } while (false)
