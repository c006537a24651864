// The program started headless on a temporary program directory, its boxes answered by scripted
// prompts, without the splash window's wait.
#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

#include "ScriptedPrompts.h"
#include "app/Program.h"

namespace zestovar::test {

class StartedProgram {
 public:
  explicit StartedProgram(const std::filesystem::path& dir) : program(dir, prompts, 0) {}

  ui::ScriptedPrompts prompts;
  app::Program program;
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

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace zestovar::test
