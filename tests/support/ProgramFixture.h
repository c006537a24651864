// The program started headless on a program directory of its own, its boxes answered by scripted
// prompts, without the splash window's wait.
#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "ScriptedPrompts.h"
#include "StoreFixtures.h"
#include "app/Program.h"
#include "views/MHU.h"
#include "views/RecipeTab.h"

namespace zestovar::test {

class StartedProgram {
  // Built before the program, which keeps it.
  ui::ScriptedPrompts prompts_;

 public:
  // The files (name, bytes) the directory holds when the program starts.
  using Files = std::initializer_list<std::pair<std::string_view, std::string_view>>;
  // Fills the directory before the program starts, for what files alone cannot say (a folder in place of
  // a file, recipes added through the store).
  using Fill = std::function<void(const TempDir& dir)>;

  explicit StartedProgram(Files files = {}) : program(filled(dir, files), prompts_, 0) {}
  explicit StartedProgram(const Fill& fill) : program(filled(dir, fill), prompts_, 0) {}
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  ui::ScriptedPrompts& prompts() { return prompts_; }
  TForm1& main() { return program.mainWindow(); }
  views::RecipeTab& recipes() { return program.recipeTab(); }
  std::string read(std::string_view name) const { return dir.read(name); }

  TempDir dir;
  app::Program program;

 private:
  static const std::filesystem::path& filled(const TempDir& dir, Files files) {
    for (const auto& [name, bytes] : files) dir.write(name, bytes);
    return dir.path();
  }
  static const std::filesystem::path& filled(const TempDir& dir, const Fill& fill) {
    fill(dir);
    return dir.path();
  }
};

inline std::filesystem::path pathOf(const QTemporaryDir& dir) {
  return std::filesystem::path(dir.path().toStdString());
}

// The texts of a list's items, top to bottom.
inline QStringList texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out.append(list->item(i)->text());
  return out;
}

// Makes the item with that text the list's current one, as a click does; fails the test without it.
inline void select(QListWidget* list, const QString& text) {
  const auto items = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(!items.isEmpty(), qPrintable(text));
  list->setCurrentItem(items.front());
}

}  // namespace zestovar::test

// Two recipe files compared record by record; a failure names the first record that differs.
#define QCOMPARE_RECORDS(actual, expected)                                                 \
  do {                                                                                     \
    const ::testing::AssertionResult same = zestovar::test::sameRecords(actual, expected); \
    QVERIFY2(static_cast<bool>(same), same.message());                                     \
  } while (false)
