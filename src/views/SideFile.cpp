#include "views/SideFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/Errors.h"

namespace zestovar::views {

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

std::vector<std::string> readSideFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return {};
    store::throwIoError(errno);
  }
  std::string bytes;
  char block[65536];
  for (;;) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      store::throwIoError(error);
    }
    bytes.append(block, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return splitSideFileLines(bytes);
}

}  // namespace zestovar::views
