#include "store/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::store {
namespace {

// Repeats a positioned read or write (transfer: given the bytes moved so far) until size bytes have
// moved or one call moves none; returns the bytes moved.
template <typename Transfer>
std::size_t whole(std::size_t size, Transfer transfer) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = transfer(done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwIoError(errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

class DiskFile final : public FileIo {
 public:
  explicit DiskFile(int fd) : fd_(fd) {}
  ~DiskFile() override { ::close(fd_); }
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  std::size_t readAt(std::uint64_t pos, std::span<std::byte> out) override {
    return whole(out.size(), [&](std::size_t done) {
      return ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(pos + done));
    });
  }

  void writeAt(std::uint64_t pos, std::span<const std::byte> data) override {
    const std::size_t written = whole(data.size(), [&](std::size_t done) {
      return ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(pos + done));
    });
    if (written < data.size()) throwIoError(ENOSPC);
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

  void setPermissions(Permissions permissions) override {
    if (::fchmod(fd_, static_cast<mode_t>(permissions)) != 0) throwIoError(errno);
  }

 private:
  int fd_;
};

// Closes the descriptor unless it was handed on.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  int release() { return std::exchange(fd, -1); }
};

// Without O_NONBLOCK, opening a pipe waits for its other end and opening some devices waits for the
// device; the mode is checked first and blocking reads and writes are restored afterwards.
constexpr int kOpenFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

bool isPlain(const struct stat& st) { return S_ISREG(st.st_mode); }
bool isOwn(const struct stat& st) { return S_ISREG(st.st_mode) && st.st_nlink == 1; }

struct stat statOf(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) throwIoError(errno);
  return st;
}

std::unique_ptr<FileIo> diskFile(Descriptor& d) {
  const int flags = ::fcntl(d.fd, F_GETFL);
  if (flags < 0 || ::fcntl(d.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) throwIoError(errno);
  return std::make_unique<DiskFile>(d.release());
}

// A file under this very name. Anything but a plain file of one name there is removed and a new file
// made exclusively in its place, so nothing placed under the name is written through; should something
// be placed there again meanwhile, the next attempt removes it.
std::unique_ptr<FileIo> openOwn(const std::filesystem::path& path, bool truncate, Permissions created) {
  const auto mode = static_cast<mode_t>(created);
  for (int attempt = 0; attempt < 3; ++attempt) {
    Descriptor d{::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | kOpenFlags, mode)};
    if (d.fd >= 0) {
      if (isOwn(statOf(d.fd))) {
        if (truncate && ::ftruncate(d.fd, 0) != 0) throwIoError(errno);
        return diskFile(d);
      }
      ::close(d.release());
    } else if (errno == EISDIR) {
      throw NotAFileError(path);
    } else if (errno != ELOOP && errno != ENXIO) {  // a symbolic link, a socket
      throwIoError(errno);
    }
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throwIoError(errno);
    d.fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | kOpenFlags, mode);
    if (d.fd >= 0) return diskFile(d);
    if (errno != EEXIST) throwIoError(errno);
  }
  throwIoError(EEXIST);
}

void syncDirectory(const std::filesystem::path& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // durability of the entry is best effort where the directory cannot be opened
  ::fsync(fd);
  ::close(fd);
}

class DiskFiles final : public Files {
 public:
  std::unique_ptr<FileIo> open(const std::filesystem::path& path, OpenMode mode, Permissions created) override {
    int flags = kOpenFlags;
    switch (mode) {
      case OpenMode::ReadWriteOwn:
        return openOwn(path, false, created);
      case OpenMode::CreateTruncate:
        return openOwn(path, true, created);
      case OpenMode::ReadWriteCreate:
        flags |= O_RDWR | O_CREAT;
        break;
      case OpenMode::ReadOnly:
        flags |= O_RDONLY;
        break;
      case OpenMode::CreateExclusive:
        flags |= O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
        break;
      case OpenMode::ReadOwn:
        flags |= O_RDONLY | O_NOFOLLOW;
        break;
    }
    Descriptor d{::open(path.c_str(), flags, static_cast<mode_t>(created))};
    if (d.fd < 0) {
      if (errno == EISDIR || errno == ENXIO || (errno == ELOOP && mode == OpenMode::ReadOwn)) throw NotAFileError(path);
      throwIoError(errno);
    }
    const struct stat st = statOf(d.fd);
    if (mode == OpenMode::ReadOwn ? !isOwn(st) : !isPlain(st)) throw NotAFileError(path);
    return diskFile(d);
  }

  void replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) throwIoError(errno);
    syncDirectory(to.parent_path());
  }

  void remove(const std::filesystem::path& path) override {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throwIoError(errno);
  }

  std::vector<std::string> list(const std::filesystem::path& dir) override {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
      names.push_back(it->path().filename().string());
    return names;
  }

  std::filesystem::path target(const std::filesystem::path& path) override {
    std::filesystem::path current = path;
    // A chain of links ends after as many steps as the system follows itself.
    for (int step = 0; step < 40; ++step) {
      std::error_code ec;
      if (!std::filesystem::is_symlink(current, ec)) break;
      const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
      if (ec) break;
      current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.lexically_normal();
  }

  std::optional<Permissions> permissions(const std::filesystem::path& path) override {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
      throwIoError(errno);
    }
    return static_cast<Permissions>(st.st_mode & 07777);
  }

  bool isOwnFile(const std::filesystem::path& path) override {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && isOwn(st);
  }

  void makeDirectory(const std::filesystem::path& dir) override {
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) throwIoError(errno);
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0) throwIoError(errno);
    if (!S_ISDIR(st.st_mode)) throw NotAFileError(dir);
    if (st.st_uid != ::geteuid() || (st.st_mode & S_IWOTH) != 0) throw ForeignDirectoryError(dir);
  }
};

}  // namespace

void FileIo::setPermissions(Permissions) { throw StoreError(std::string(kAccessDenied)); }

void Files::makeDirectory(const std::filesystem::path&) { throw StoreError(std::string(kAccessDenied)); }

namespace {

// Built by appending: GCC 12 at -O3 takes "'" + path.string() for an overlapping copy (-Wrestrict).
std::string notAFileText(const std::filesystem::path& path) {
  std::string text = "'";
  text += path.string();
  text += "' ist keine gewöhnliche Datei, sondern etwa ein Ordner, eine Pipe oder ein Gerät";
  return text;
}

}  // namespace

NotAFileError::NotAFileError(const std::filesystem::path& path) : StoreError(notAFileText(path)) {}

ForeignDirectoryError::ForeignDirectoryError(const std::filesystem::path& dir)
    : StoreError("Der Ordner '" + dir.string() +
                 "' gehört einem anderen Benutzer oder jeder darf darin schreiben; die Rezepte werden dort nicht "
                 "abgelegt") {}

std::shared_ptr<Files> diskFiles() { return std::make_shared<DiskFiles>(); }

std::filesystem::path resolveProgramFile(Files& files, const std::filesystem::path& dir, std::string_view name) {
  std::filesystem::path exact = dir / std::string(name);
  if (files.exists(exact)) return exact;
  std::string other;
  for (const std::string& candidate : files.list(dir)) {
    // Of several spellings the first in name order wins, so the choice does not depend on the
    // order the directory happens to list them in.
    if (equalsIgnoringCase(candidate, name) && (other.empty() || candidate < other)) other = candidate;
  }
  return other.empty() ? exact : dir / other;
}

namespace {

std::string readAll(FileIo& file) {
  std::string bytes(static_cast<std::size_t>(file.size()), '\0');
  bytes.resize(file.readAt(0, std::as_writable_bytes(std::span(bytes))));
  return bytes;
}

}  // namespace

std::optional<std::string> readWholeFile(Files& files, const std::filesystem::path& path) {
  if (!files.exists(path)) return std::nullopt;
  return readAll(*files.open(path, OpenMode::ReadOnly));
}

std::optional<std::string> readOwnFile(Files& files, const std::filesystem::path& path) {
  if (!files.isOwnFile(path)) return std::nullopt;
  return readAll(*files.open(path, OpenMode::ReadOwn));
}

void writeWholeFile(Files& files, const std::filesystem::path& path, std::string_view bytes) {
  auto file = files.open(path, OpenMode::CreateTruncate);
  file->writeAt(0, std::as_bytes(std::span(bytes)));
}

void appendToOwnFile(Files& files, const std::filesystem::path& path, std::string_view bytes) {
  auto file = files.open(path, OpenMode::ReadWriteOwn);
  const std::uint64_t end = file->size();
  try {
    file->writeAt(end, std::as_bytes(std::span(bytes)));
    file->flush();
  } catch (const StoreError&) {
    try {
      file->truncate(end);
    } catch (const StoreError&) {
    }
    throw;
  }
}

ReplacementFile::ReplacementFile(Files& files, const std::filesystem::path& path, std::string_view temporaryName,
                                 std::optional<Permissions> fixed)
    : files_(files), target_(files.target(path)) {
  permissions_ = fixed ? *fixed : files.permissions(target_).value_or(kNewFilePermissions);
  temporary_ = resolveProgramFile(files, target_.parent_path(), temporaryName);
  files.remove(temporary_);
  // Private until it takes its place, so no one else holds it open meanwhile.
  file_ = files.open(temporary_, OpenMode::CreateExclusive, kPrivatePermissions);
}

ReplacementFile::~ReplacementFile() {
  if (committed_) return;
  file_.reset();
  try {
    files_.remove(temporary_);
  } catch (...) {
  }
}

void ReplacementFile::commit() {
  file_->setPermissions(permissions_);
  file_->flush();
  file_.reset();
  files_.replace(temporary_, target_);
  committed_ = true;
}

void replaceWholeFile(Files& files, const std::filesystem::path& path, std::string_view bytes,
                      std::optional<Permissions> fixed) {
  ReplacementFile replacement(files, path, files.target(path).filename().string() + ".tmp", fixed);
  replacement.file().writeAt(0, std::as_bytes(std::span(bytes)));
  replacement.commit();
}

}  // namespace zestovar::store
