// Files held in memory, for the store tests and the fuzzer: nothing touches the disk, and writes,
// flushes, renames and opens fail on demand. An open file keeps its bytes when another file is renamed
// over its name, as on the disk. Symbolic links and pipes behave as on the disk: the modes that follow
// links follow them, the others replace what stands under the name or fail, and a pipe is never opened.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/Errors.h"
#include "store/FileIo.h"

namespace zestovar::test {

class MemoryFiles final : public store::Files {
 public:
  using Path = std::filesystem::path;

  // ---- Content, for the test ----
  void write(const Path& path, std::string_view bytes, store::Permissions permissions = store::kNewFilePermissions) {
    nodes_[key(target(path))] = Node{std::make_shared<Content>(Content{std::string(bytes), permissions}), {}};
  }
  std::string read(const Path& path) const {
    const Node* node = find(path);
    return node ? node->content->bytes : std::string();
  }
  bool has(const Path& path) const { return nodes_.contains(lookup(path)); }
  // The names in a directory, sorted.
  std::vector<std::string> names(const Path& dir) const {
    std::vector<std::string> out;
    std::string prefix = key(dir);
    if (!prefix.ends_with('/')) prefix += '/';
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix); ++it)
      if (it->first.find('/', prefix.size()) == std::string::npos) out.push_back(it->first.substr(prefix.size()));
    return out;
  }
  // A symbolic link at `path` that leads to `to`.
  void link(const Path& path, const Path& to) { nodes_[key(path)] = Node{nullptr, to.lexically_normal()}; }
  bool isLink(const Path& path) const {
    const auto it = nodes_.find(lookup(path));
    return it != nodes_.end() && it->second.link;
  }
  // A named pipe (or a device) at `path`.
  void pipe(const Path& path) { nodes_[key(path)] = Node{}; }

  // ---- Failures ----
  // Writes fail once `bytes` more bytes have been written: the write that crosses the limit puts its
  // first bytes in and then throws "Disk voll". Limited to the file named (any file when empty).
  void failWritesAfter(std::uint64_t bytes, std::string file = {}) {
    writeBudget_ = bytes;
    writeFile_ = std::move(file);
  }
  void failFlush(std::string file = {}) {
    flushFails_ = true;
    flushFile_ = std::move(file);
  }
  void failReplace() { replaceFails_ = true; }
  void failOpen(std::string file) { openFile_ = std::move(file); }

  // ---- Files ----
  std::unique_ptr<store::FileIo> open(const Path& path, store::OpenMode mode,
                                      store::Permissions created = store::kNewFilePermissions) override {
    using store::OpenMode;
    const bool follows = mode == OpenMode::ReadWriteCreate || mode == OpenMode::ReadOnly;
    const Path real = follows ? target(path) : path.lexically_normal();
    if (!openFile_.empty() && real.filename() == openFile_) throw store::StoreError(std::string(store::kFileNotFound));
    auto it = nodes_.find(lookup(real));
    const auto create = [&] {
      return nodes_.insert_or_assign(key(real), Node{std::make_shared<Content>(Content{std::string(), created}), {}})
          .first;
    };
    switch (mode) {
      case OpenMode::ReadWriteOwn:
      case OpenMode::CreateTruncate:
        if (it == nodes_.end() || !it->second.content)
          it = create();
        else if (mode == OpenMode::CreateTruncate)
          it->second.content->bytes.clear();
        break;
      case OpenMode::CreateExclusive:
        if (it != nodes_.end()) store::throwIoError(EEXIST);
        it = create();
        break;
      case OpenMode::ReadWriteCreate:
        if (it == nodes_.end()) it = create();
        break;
      case OpenMode::ReadOnly:
      case OpenMode::ReadOwn:
        if (it == nodes_.end()) throw store::StoreError(std::string(store::kFileNotFound));
        break;
    }
    if (!it->second.content) throw store::NotAFileError(path);
    return std::make_unique<File>(*this, it->second.content, real.filename().string());
  }
  void replace(const Path& from, const Path& to) override {
    if (replaceFails_) throw store::StoreError(std::string(store::kAccessDenied));
    const auto it = nodes_.find(lookup(from));
    if (it == nodes_.end()) throw store::StoreError(std::string(store::kFileNotFound));
    Node node = it->second;
    nodes_.erase(it);
    nodes_[key(to)] = std::move(node);
  }
  void remove(const Path& path) override { nodes_.erase(key(path)); }
  std::vector<std::string> list(const Path& dir) override { return names(dir); }
  Path target(const Path& path) override { return resolve(path); }
  std::optional<store::Permissions> permissions(const Path& path) override {
    auto it = nodes_.find(lookup(path));
    if (it != nodes_.end() && it->second.link) it = nodes_.find(lookup(resolve(path)));
    if (it == nodes_.end() || it->second.link) return std::nullopt;
    // A pipe has permissions too: it exists.
    return it->second.content ? it->second.content->permissions : store::kNewFilePermissions;
  }
  bool isOwnFile(const Path& path) override {
    const auto it = nodes_.find(lookup(path));
    return it != nodes_.end() && it->second.content;
  }

 private:
  struct Content {
    std::string bytes;
    store::Permissions permissions{};
  };
  struct Node {
    std::shared_ptr<Content> content;  // null for a link or a pipe
    std::optional<Path> link;
  };

  class File final : public store::FileIo {
   public:
    File(MemoryFiles& owner, std::shared_ptr<Content> content, std::string name)
        : owner_(owner), content_(std::move(content)), name_(std::move(name)) {}
    std::size_t readAt(std::uint64_t pos, std::span<std::byte> out) override {
      if (pos >= content_->bytes.size()) return 0;
      const std::size_t n = std::min<std::uint64_t>(out.size(), content_->bytes.size() - pos);
      std::copy_n(reinterpret_cast<const std::byte*>(content_->bytes.data() + pos), n, out.data());
      return n;
    }
    void writeAt(std::uint64_t pos, std::span<const std::byte> data) override {
      auto& budget = owner_.writeBudget_;
      const bool limited = budget != kNoLimit && matches(owner_.writeFile_);
      if (limited && data.size() > budget) {
        put(pos, data.first(static_cast<std::size_t>(budget)));
        budget = 0;
        throw store::StoreError(std::string(store::kDiskFull));
      }
      put(pos, data);
      if (limited) budget -= data.size();
    }
    std::uint64_t size() override { return content_->bytes.size(); }
    void truncate(std::uint64_t size) override { content_->bytes.resize(static_cast<std::size_t>(size)); }
    void flush() override {
      if (owner_.flushFails_ && matches(owner_.flushFile_)) throw store::StoreError(std::string(store::kDiskFull));
    }
    void setPermissions(store::Permissions permissions) override { content_->permissions = permissions; }

   private:
    void put(std::uint64_t pos, std::span<const std::byte> data) {
      if (content_->bytes.size() < pos + data.size())
        content_->bytes.resize(static_cast<std::size_t>(pos + data.size()));
      std::copy(data.begin(), data.end(), reinterpret_cast<std::byte*>(content_->bytes.data() + pos));
    }
    bool matches(const std::string& file) const { return file.empty() || file == name_; }

    MemoryFiles& owner_;
    std::shared_ptr<Content> content_;
    std::string name_;
  };

  static bool isNormal(const std::string& text) {
    return !text.empty() && text.find("//") == std::string::npos && text.find("/.") == std::string::npos &&
           !text.starts_with('.') && !text.ends_with('/');
  }
  static std::string key(const Path& path) {
    return isNormal(path.native()) ? path.native() : path.lexically_normal().string();
  }
  // The key to look a path up with, without a copy where the path is normal already (the fuzzer looks
  // paths up thousands of times an input). Valid until the next call.
  std::string_view lookup(const Path& path) const {
    if (isNormal(path.native())) return path.native();
    scratch_ = path.lexically_normal().string();
    return scratch_;
  }
  Path resolve(const Path& path) const {
    Path current = key(path);
    for (int step = 0; step < 40; ++step) {
      const auto it = nodes_.find(lookup(current));
      if (it == nodes_.end() || !it->second.link) break;
      const Path& next = *it->second.link;
      current = (next.is_absolute() ? next : current.parent_path() / next).lexically_normal();
    }
    return current;
  }
  const Node* find(const Path& path) const {
    const auto it = nodes_.find(lookup(resolve(path)));
    return it == nodes_.end() || !it->second.content ? nullptr : &it->second;
  }

  static constexpr std::uint64_t kNoLimit = UINT64_MAX;
  std::map<std::string, Node, std::less<>> nodes_;
  mutable std::string scratch_;
  std::uint64_t writeBudget_ = kNoLimit;
  std::string writeFile_, flushFile_, openFile_;
  bool flushFails_ = false;
  bool replaceFails_ = false;
};

}  // namespace zestovar::test
