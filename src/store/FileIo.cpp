#include "store/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::store {
namespace {

class DiskFile final : public FileIo {
 public:
  explicit DiskFile(int fd) : fd_(fd) {}
  ~DiskFile() override { ::close(fd_); }
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  std::size_t readAt(std::uint64_t pos, std::span<std::byte> out) override {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(pos + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        throwIoError(errno);
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

  void writeAt(std::uint64_t pos, std::span<const std::byte> data) override {
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(pos + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        throwIoError(errno);
      }
      if (n == 0) throwIoError(ENOSPC);
      done += static_cast<std::size_t>(n);
    }
  }

  std::uint64_t size() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throwIoError(errno);
    return static_cast<std::uint64_t>(st.st_size);
  }

  void truncate(std::uint64_t size) override {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) throwIoError(errno);
  }

  void flush() override {
    if (::fsync(fd_) != 0) throwIoError(errno);
  }

 private:
  int fd_;
};

void syncDirectory(const std::filesystem::path& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // durability of the entry is best effort where the directory cannot be opened
  ::fsync(fd);
  ::close(fd);
}

class DiskFiles final : public Files {
 public:
  std::unique_ptr<FileIo> open(const std::filesystem::path& path, OpenMode mode) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case OpenMode::ReadWriteCreate:
        flags |= O_RDWR | O_CREAT;
        break;
      case OpenMode::CreateTruncate:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
      case OpenMode::ReadOnly:
        flags |= O_RDONLY;
        break;
    }
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) throwIoError(errno);
    return std::make_unique<DiskFile>(fd);
  }

  void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) throwIoError(errno);
    syncDirectory(to.parent_path());
  }

  void remove(const std::filesystem::path& path) override {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throwIoError(errno);
  }
};

}  // namespace

std::shared_ptr<Files> diskFiles() { return std::make_shared<DiskFiles>(); }

std::filesystem::path resolveProgramFile(const std::filesystem::path& dir, std::string_view name) {
  std::error_code ec;
  std::filesystem::path exact = dir / std::string(name);
  if (std::filesystem::exists(exact, ec)) return exact;
  std::filesystem::path other;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    // Of several spellings the first in name order wins, so the choice does not depend on the
    // order the directory happens to list them in.
    if (equalsIgnoringCase(candidate, name) && (other.empty() || candidate < other.filename().string()))
      other = it->path();
  }
  return other.empty() ? exact : other;
}

bool readWholeFile(const std::filesystem::path& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  out = std::move(data);
  return true;
}

}  // namespace zestovar::store
