#include "store/ProgramHome.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/Cp1252.h"
#include "store/Errors.h"
#include "store/RecordFormat.h"

namespace zestovar::store {
namespace {

namespace fs = std::filesystem;

bool holdsFile(Files& files, const fs::path& dir, std::string_view name) {
  return files.exists(resolveProgramFile(files, dir, name));
}

// Any entry of that name in any spelling, a dangling link included: the user's, whatever it is.
bool holdsName(const std::vector<std::string>& present, std::string_view name) {
  return std::any_of(present.begin(), present.end(),
                     [&](const std::string& entry) { return equalsIgnoringCase(entry, name); });
}

std::optional<std::string_view> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string_view(value);
}

std::optional<fs::path> absoluteValue(std::optional<std::string_view> value) {
  if (!value || value->empty()) return std::nullopt;
  const fs::path path{std::string(*value)};
  if (!path.is_absolute()) return std::nullopt;
  return path;
}

void makeDirectories(Files& files, const fs::path& dir) {
  fs::path prefix;
  for (const fs::path& part : dir) {
    prefix /= part;
    // Folders that stand already are left as they are: /tmp and a shared data folder belong to others.
    if (prefix != dir && !files.exists(prefix)) files.makeDirectory(prefix);
  }
  files.makeDirectory(dir);
}

void copyFile(Files& files, const fs::path& from, const fs::path& to) {
  if (const std::optional<std::string> bytes = readOwnFile(files, from))
    replaceWholeFile(files, to, *bytes, kNewFilePermissions);
}

}  // namespace

ProgramHome findProgramHome(Files& files, const fs::path& programFileDir, std::optional<std::string_view> xdgDataHome,
                            std::optional<std::string_view> home) {
  const fs::path shipped = programFileDir.parent_path() / "share" / "zestovar";
  if (holdsFile(files, programFileDir, kMainFileName) || !holdsFile(files, shipped, kMainFileName))
    return {programFileDir, {}};
  if (const auto dataHome = absoluteValue(xdgDataHome)) return {*dataHome / "zestovar", shipped};
  if (const auto homeDir = absoluteValue(home)) return {*homeDir / ".local" / "share" / "zestovar", shipped};
  throw StoreError("Kein Ordner für die Rezepte: weder XDG_DATA_HOME noch HOME nennen einen absoluten Pfad");
}

void prepareProgramHome(Files& files, const ProgramHome& home) {
  if (!home.installed()) return;
  makeDirectories(files, home.programDir);
  if (holdsFile(files, home.programDir, kMainFileName)) return;
  std::vector<std::string> names = files.list(home.shippedDir);
  std::sort(names.begin(), names.end());
  // The main recipe file marks a complete copy, so it comes last.
  std::stable_partition(names.begin(), names.end(),
                        [](const std::string& name) { return !equalsIgnoringCase(name, kMainFileName); });
  const std::vector<std::string> present = files.list(home.programDir);
  for (const std::string& name : names) {
    const fs::path from = home.shippedDir / name;
    if (!files.isOwnFile(from) || holdsName(present, name)) continue;
    copyFile(files, from, home.programDir / name);
  }
}

ProgramHome readyProgramHome(Files& files, const fs::path& programFileDir) {
  ProgramHome home = findProgramHome(files, programFileDir, environment("XDG_DATA_HOME"), environment("HOME"));
  prepareProgramHome(files, home);
  return home;
}

}  // namespace zestovar::store
