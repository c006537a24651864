#include "store/SideFile.h"

namespace zestovar::store {

std::vector<std::string> splitSideFileLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::string joinSideFileLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    for (char c : line) bytes += c == '\r' || c == '\n' ? ' ' : c;
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<std::string> readSideFile(Files& files, const std::filesystem::path& dir, std::string_view name) {
  const auto bytes = readWholeFile(files, resolveProgramFile(files, dir, name));
  return bytes ? splitSideFileLines(*bytes) : std::vector<std::string>{};
}

void writeSideFile(Files& files, const std::filesystem::path& dir, std::string_view name,
                   const std::vector<std::string>& lines, std::optional<Permissions> fixed) {
  replaceWholeFile(files, resolveProgramFile(files, dir, name), joinSideFileLines(lines), fixed);
}

}  // namespace zestovar::store
