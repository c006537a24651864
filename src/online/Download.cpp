#include "online/Download.h"

#include <cstring>
#include <span>
#include <string>

#include "store/EntryRules.h"
#include "store/Errors.h"
#include "store/RecordMap.h"

namespace zestovar::online {
namespace {

// The downloaded bytes as a file the store's reader can walk.
class Bytes final : public store::FileIo {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
  std::size_t readAt(std::uint64_t pos, std::span<std::byte> out) override {
    if (pos >= bytes_.size()) return 0;
    const std::string_view part = bytes_.substr(static_cast<std::size_t>(pos), out.size());
    std::memcpy(out.data(), part.data(), part.size());
    return part.size();
  }
  void writeAt(std::uint64_t, std::span<const std::byte>) override { throw store::StoreError("read only"); }
  std::uint64_t size() override { return bytes_.size(); }
  void truncate(std::uint64_t) override { throw store::StoreError("read only"); }
  void flush() override {}

 private:
  std::string_view bytes_;
};

constexpr std::string_view kDamaged = "Das heruntergeladene Rezept ist unvollständig oder kein Rezept: ";

}  // namespace

std::string_view checkedDownload(std::string_view body) {
  const std::string_view records = body.substr(0, body.size() / store::kRecordSize * store::kRecordSize);
  if (records.empty()) throw DownloadError(std::string(kDamaged) + "es enthält keinen Datensatz");
  Bytes file(records);
  // The rules `zestovar-tool check` applies to the recipe files, so a download can never make it fail
  // on "zsv.dat"; only what it merely warns about passes.
  store::RecordMap map(file, 0);
  std::uint64_t first = 0;
  while (first < map.end()) {
    const store::EntryVerdict verdict = store::judgeEntry(map, first);
    if (verdict.kind != store::EntryVerdict::Kind::Complete)
      throw DownloadError(std::string(kDamaged) + "Datensatz " + std::to_string(verdict.record) + ": " + verdict.text);
    first = verdict.end;
  }
  return records;
}

}  // namespace zestovar::online
