// The program started headless on a temporary program directory, its boxes answered by scripted
// prompts, without the splash window's wait.
#pragma once

#include <QString>
#include <QTemporaryDir>
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

  app::ScriptedPrompts prompts;
  app::Program program;
};

inline std::filesystem::path pathOf(const QTemporaryDir& dir) {
  return std::filesystem::path(dir.path().toStdString());
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace zestovar::test
