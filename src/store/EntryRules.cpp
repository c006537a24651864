#include "store/EntryRules.h"

#include "store/Cp1252.h"
#include "store/Errors.h"

namespace zestovar::store {
namespace {

using Kind = EntryVerdict::Kind;

class Judge {
 public:
  Judge(RecordMap& map, bool messages) : map_(map), messages_(messages) {}

  EntryVerdict entry(std::uint64_t p) {
    const std::uint64_t end = map_.end();
    if (map_.tooLong(p)) return tooLong(p, "Kategorie");
    if (!map_.category(p))
      return fault(p, messages_ ? "unbekannte Kategorie '" + cp1252ToUtf8(map_.text(p)) + "'" : std::string());
    const std::uint64_t subcategoriesAt = p + kSubcategoriesAt;
    if (subcategoriesAt >= end) return ranOut(subcategoriesAt, "Unterkategorien: " + std::string(kEndOfFile), true);
    if (map_.tooLong(subcategoriesAt)) return tooLong(subcategoriesAt, "Unterkategorien");
    const std::uint64_t nameAt = p + kNameAt;
    if (nameAt >= end) return ranOut(nameAt, "Name: " + std::string(kEndOfFile), true);
    if (map_.tooLong(nameAt)) return tooLong(nameAt, "Name");

    const std::uint64_t n1At = p + kIngredientCountAt;
    if (n1At >= end) return ranOut(n1At, "Zutatenzahl: " + std::string(kEndOfFile), true);
    if (map_.tooLong(n1At)) return tooLong(n1At, "Zutatenzahl");
    const auto n1 = map_.count(n1At);
    if (!n1) return notAnInteger(n1At);
    if (*n1 < 1) return fault(n1At, "Zutatenzahl " + std::to_string(*n1) + " ist kleiner als 1");
    const bool markerTooEarly = *n1 == 2 && map_.originMarker(n1At + 1);
    const std::uint64_t n2At = n1At + static_cast<std::uint64_t>(*n1);
    if (n2At >= end)
      return ranOut(n1At, "Zutatenzahl " + std::to_string(*n1) + " zeigt hinter das Dateiende",
                    !markerTooEarly && map_.nextTooLong(n1At + 1) == RecordMap::kNone);
    if (const std::uint64_t bad = map_.nextTooLong(n1At + 1); bad < n2At) return tooLong(bad, "Zutat");
    if (markerTooEarly) return fault(n1At + 1, "Herkunftsmarke bei Zutatenzahl " + std::to_string(*n1));

    if (map_.tooLong(n2At)) return tooLong(n2At, "Zubereitungszahl");
    const auto n2 = map_.count(n2At);
    if (!n2) return notAnInteger(n2At);
    if (*n2 < 0) return fault(n2At, "Zubereitungszahl " + std::to_string(*n2) + " ist negativ");
    const std::uint64_t persons = n2At + static_cast<std::uint64_t>(*n2) + kAuthorAndPersons;
    if (persons >= end)
      return ranOut(n2At, "Zubereitungszahl " + std::to_string(*n2) + " zeigt hinter das Dateiende",
                    map_.nextTooLong(n2At + 1) == RecordMap::kNone);
    if (const std::uint64_t bad = map_.nextTooLong(n2At + 1); bad <= persons)
      return tooLong(bad, bad + 2 <= persons ? "Zubereitung" : bad + 1 == persons ? "Autor" : "Personen");

    const std::uint64_t pictureAt = persons + 1;
    const std::uint64_t pictureEnd = map_.nextPictureEnd(pictureAt);
    if (pictureEnd == RecordMap::kNone) return ranOut(pictureAt, "Bildende fehlt: " + std::string(kEndOfFile), true);
    const bool picture = pictureEnd > pictureAt;
    const std::uint64_t tailAt = pictureEnd + 1;
    const bool tailLengthKept = !picture || tailAt >= end || (!map_.tooLong(tailAt) && map_.count(tailAt));
    if (tailAt + kTailRecords > end)
      return ranOut(tailAt, "Bildrest fehlt: " + std::string(kEndOfFile), tailLengthKept);
    EntryVerdict complete;
    complete.kind = Kind::Complete;
    complete.end = tailAt + kTailRecords;
    if (!picture) return complete;
    if (map_.tooLong(tailAt)) return tooLong(tailAt, "Bildrestlänge");
    const auto tail = map_.count(tailAt);
    if (!tail) return notAnInteger(tailAt);
    if (*tail < -1 || *tail > static_cast<int>(kRecordSize)) {
      complete.warning = true;
      complete.warningRecord = tailAt;
      if (messages_)
        complete.text = "Warnung: Bildrestlänge " + std::to_string(*tail) + " liegt außerhalb von -1 bis 51";
    }
    return complete;
  }

 private:
  EntryVerdict problem(Kind kind, std::uint64_t record, std::string text) const {
    EntryVerdict verdict;
    verdict.kind = kind;
    verdict.record = record;
    if (messages_) verdict.text = std::move(text);
    return verdict;
  }
  EntryVerdict fault(std::uint64_t record, std::string text) const {
    return problem(Kind::Fault, record, std::move(text));
  }
  EntryVerdict ranOut(std::uint64_t record, std::string text, bool wellFormed) const {
    EntryVerdict verdict = problem(Kind::RanOut, record, std::move(text));
    verdict.wellFormedSoFar = wellFormed;
    return verdict;
  }
  EntryVerdict tooLong(std::uint64_t record, const char* what) {
    if (!messages_) return fault(record, {});
    return fault(record,
                 std::string(what) + ": Längenbyte " + std::to_string(map_.lengthByte(record)) + " ist größer als 50");
  }
  EntryVerdict notAnInteger(std::uint64_t record) {
    if (!messages_) return fault(record, {});
    try {
      throwNotAnInteger(map_.text(record));
    } catch (const StoreError& e) {
      return fault(record, e.what());
    }
  }

  RecordMap& map_;
  bool messages_;
};

}  // namespace

EntryVerdict judgeEntry(RecordMap& map, std::uint64_t first, bool messages) {
  return Judge(map, messages).entry(first);
}

bool completeEntryFrom(RecordMap& map, std::uint64_t from) {
  Judge judge(map, false);
  for (std::uint64_t p = map.nextCategory(from); p != RecordMap::kNone; p = map.nextCategory(p + 1))
    if (judge.entry(p).kind == Kind::Complete) return true;
  return false;
}

bool isTornTail(RecordMap& map) {
  const std::uint64_t first = map.first();
  if (first >= map.end()) return false;
  const EntryVerdict verdict = judgeEntry(map, first, false);
  return verdict.kind == Kind::RanOut && verdict.wellFormedSoFar && !completeEntryFrom(map, first + 1);
}

bool isTornTail(FileIo& file, std::uint64_t first) {
  RecordMap map(file, first);
  return isTornTail(map);
}

}  // namespace zestovar::store
