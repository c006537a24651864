#include "accessories/Launcher.h"

#include "store/Errors.h"

namespace zestovar::accessories {

std::string execArgument(std::string_view programPath) {
  // The quoting of the Exec key: reserved characters inside double quotes get a backslash, and a
  // literal percent sign is written twice, so it is no field code.
  std::string quoted = "\"";
  for (const char c : programPath) {
    if (c == '"' || c == '`' || c == '$' || c == '\\')
      quoted += '\\';
    else if (c == '%')
      quoted += '%';
    quoted += c;
  }
  quoted += '"';
  // The value of a string key: backslashes and control characters escaped once more.
  std::string value;
  for (const char c : quoted) {
    switch (c) {
      case '\\':
        value += "\\\\";
        break;
      case '\n':
        value += "\\n";
        break;
      case '\t':
        value += "\\t";
        break;
      case '\r':
        value += "\\r";
        break;
      default:
        value += c;
    }
  }
  return value;
}

std::string desktopEntry(std::string_view programPath) {
  std::string entry = "[Desktop Entry]\nType=Application\nName=";
  entry += kLauncherName;
  entry += "\nComment=";
  entry += kLauncherName;
  entry += "\nExec=";
  entry += execArgument(programPath);
  entry += "\nTerminal=false\n";
  return entry;
}

bool saveLauncher(store::Files& files, const std::filesystem::path& folder, const std::filesystem::path& program) {
  // Without a folder the launcher would land in the current directory: nothing is created then.
  if (folder.empty()) return false;
  try {
    store::replaceWholeFile(files, folder / std::string(kLauncherFileName), desktopEntry(program.string()),
                            kLauncherPermissions);
    return true;
  } catch (const store::StoreError&) {
    return false;
  }
}

}  // namespace zestovar::accessories
