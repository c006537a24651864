// File access of the recipe store. Tests substitute files that fail after a number of bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

namespace zestovar::store {

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
};

enum class OpenMode {
  ReadWriteCreate,  // open for reading and writing, create empty when missing
  CreateTruncate,   // create empty, or empty an existing file
  ReadOnly,         // an existing file for reading
};

// How the store reaches the file system.
class Files {
 public:
  virtual ~Files() = default;
  virtual std::unique_ptr<FileIo> open(const std::filesystem::path& path, OpenMode mode) = 0;
  // Replaces `to` by `from` in one step and makes the new directory entry durable.
  virtual void replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual void remove(const std::filesystem::path& path) = 0;
};

// The real file system.
std::shared_ptr<Files> diskFiles();

// Joins the program directory with a fixed file name. An existing file whose name differs only in
// letter case is that file; otherwise the path carries the spelling given.
std::filesystem::path resolveProgramFile(const std::filesystem::path& dir, std::string_view name);

// Reads a whole file into memory; false when it cannot be opened or read.
bool readWholeFile(const std::filesystem::path& path, std::string& out);

}  // namespace zestovar::store
