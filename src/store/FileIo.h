// Every file the program reads or writes goes through Files: the recipe files, the side files, the
// page and its picture, plain-text recipes. Tests and the fuzzer put files in memory that fail on
// demand in its place; a failure carries the system's own text ("Disk voll", "Dateizugriff verweigert").
//
// Two kinds of names: the recipe files and side files are the user's, and a symbolic link the user made
// to keep one elsewhere is followed to its file. The files the program writes whole for itself (the page
// and its picture, the print page, a download or upload in passing, the tool's outputs) are written
// under their very name: whatever someone placed there (a link to a file outside the folder, a second
// name of another file, a pipe) is replaced by the new file, never written through. No file is read
// unless it is a plain file, so a pipe or a device given as input cannot block the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/Errors.h"

namespace zestovar::store {

using Permissions = std::filesystem::perms;
// A file the program creates: readable by all, writable by its owner.
inline constexpr Permissions kNewFilePermissions = static_cast<Permissions>(0644);
// Side files that hold a password.
inline constexpr Permissions kPrivatePermissions = static_cast<Permissions>(0600);

// A pipe, a device, a folder or a socket where a file was to be opened: reading one could block for
// good. The text names the file as given.
class NotAFileError : public StoreError {
 public:
  explicit NotAFileError(const std::filesystem::path& path);
};

// A folder the program was to keep the user's files in that someone else could change.
class ForeignDirectoryError : public StoreError {
 public:
  explicit ForeignDirectoryError(const std::filesystem::path& dir);
};

class FileIo {
 public:
  virtual ~FileIo() = default;
  // Reads up to out.size() bytes at pos; returns the number read (fewer only at the end).
  virtual std::size_t readAt(std::uint64_t pos, std::span<std::byte> out) = 0;
  // Writes all bytes at pos or throws StoreError.
  virtual void writeAt(std::uint64_t pos, std::span<const std::byte> data) = 0;
  virtual std::uint64_t size() = 0;
  virtual void truncate(std::uint64_t size) = 0;
  // Makes the written bytes durable.
  virtual void flush() = 0;
  // Sets the permissions of this open file, whatever name it has by now. Bytes that are no file of
  // their own (a download in memory) refuse it.
  virtual void setPermissions(Permissions permissions);
};

enum class OpenMode {
  // After following symbolic links (the user's files):
  ReadWriteCreate,  // open for reading and writing, create empty when missing
  ReadOnly,         // an existing file for reading
  // Under this very name (files the program writes for itself):
  ReadWriteOwn,     // open for reading and writing, create empty when missing; anything but a plain file
                    // of one name standing there is replaced by a new empty file
  CreateTruncate,   // as ReadWriteOwn, then emptied
  CreateExclusive,  // a new file; fails when anything stands under the name, a link included
  ReadOwn,          // an existing plain file for reading; a link or anything else there fails
};

// How the program reaches the file system. Every failure throws StoreError with the system's text.
class Files {
 public:
  virtual ~Files() = default;
  // A file created by the call gets `created` as its permissions. Whatever is opened must be a plain
  // file (NotAFileError otherwise); the check never waits for a pipe's other end.
  virtual std::unique_ptr<FileIo> open(const std::filesystem::path& path, OpenMode mode,
                                       Permissions created = kNewFilePermissions) = 0;
  // Puts `from` in the place of `to` in one step and makes the new directory entry durable.
  virtual void replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // A missing file is no error.
  virtual void remove(const std::filesystem::path& path) = 0;
  // The names in a directory; empty when it cannot be read.
  virtual std::vector<std::string> list(const std::filesystem::path& dir) = 0;
  // The file a path leads to after following symbolic links; the path itself when it is no link or
  // leads nowhere.
  virtual std::filesystem::path target(const std::filesystem::path& path) = 0;
  // The permissions of an existing file (after following links); none when there is no file.
  virtual std::optional<Permissions> permissions(const std::filesystem::path& path) = 0;
  // Whether a plain file of one name stands under this very name: no symbolic link, no file that also
  // has another name, no pipe or device.
  virtual bool isOwnFile(const std::filesystem::path& path) = 0;
  // Creates a directory that only its owner may enter, unless a directory stands there already (a
  // symbolic link to one counts). What stands there must belong to the running user and be closed to
  // writers other than its owner and group: files are written into it without further checks.
  virtual void makeDirectory(const std::filesystem::path& dir);

  bool exists(const std::filesystem::path& path) { return permissions(path).has_value(); }
};

// The real file system.
std::shared_ptr<Files> diskFiles();

// Joins the program directory with a fixed file name. An existing file whose name differs only in
// letter case is that file (of several, the first in name order); otherwise the path carries the
// spelling given.
std::filesystem::path resolveProgramFile(Files& files, const std::filesystem::path& dir, std::string_view name);

// The bytes of a whole file (after following links); none when it does not exist.
std::optional<std::string> readWholeFile(Files& files, const std::filesystem::path& path);

// The bytes of a file the program wrote for itself; none when no plain file stands under the name (a
// link placed there counts as no file).
std::optional<std::string> readOwnFile(Files& files, const std::filesystem::path& path);

// Writes a whole file in place under this very name (see OpenMode::CreateTruncate), for files nothing
// depends on after a failure (the page, its picture, an export).
void writeWholeFile(Files& files, const std::filesystem::path& path, std::string_view bytes);

// Appends to a file the program keeps for itself under this very name (see OpenMode::ReadWriteOwn), and
// makes the bytes durable before it returns. A failure part-way cuts the file back.
void appendToOwnFile(Files& files, const std::filesystem::path& path, std::string_view bytes);

// A new content for a file, written beside it and put in its place in one step, so a failure at any
// moment leaves the old or the new file whole. The temporary file lies beside the file a symbolic link
// leads to, so the link keeps pointing at the new content; the new content takes the old file's
// permissions (`fixed` ones when given, kNewFilePermissions for a new file), set on the open file. The
// temporary file is made exclusively after anything under its name (a file left by a killed program, a
// link) is removed.
class ReplacementFile {
 public:
  ReplacementFile(Files& files, const std::filesystem::path& path, std::string_view temporaryName,
                  std::optional<Permissions> fixed = std::nullopt);
  // Removes the temporary file unless it was committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  FileIo& file() { return *file_; }
  // The file being replaced (after following links).
  const std::filesystem::path& target() const { return target_; }
  // Flushes the new content and puts it in the file's place.
  void commit();

 private:
  Files& files_;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  Permissions permissions_;
  std::unique_ptr<FileIo> file_;
  bool committed_ = false;
};

// Replaces a whole file through a ReplacementFile named after it with ".tmp" appended.
void replaceWholeFile(Files& files, const std::filesystem::path& path, std::string_view bytes,
                      std::optional<Permissions> fixed = std::nullopt);

}  // namespace zestovar::store
