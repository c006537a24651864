#include "store/Check.h"

#include "store/Categories.h"
#include "store/Cp1252.h"
#include "store/Entry.h"
#include "store/Errors.h"
#include "store/RecordReader.h"

namespace zestovar::store {
namespace {

struct Fault {
  std::uint64_t record;
  std::string text;
};

class Checker {
 public:
  Checker(RecordReader& in, std::vector<Problem>& problems) : in_(in), problems_(problems) {}

  // Reads one entry; throws Fault.
  void entry() {
    const std::uint64_t first = in_.position();
    const std::string category(text("Kategorie"));
    if (!categoryCode(category)) fail(first, "unbekannte Kategorie '" + cp1252ToUtf8(category) + "'");
    text("Unterkategorien");
    text("Name");
    const std::uint64_t n1At = in_.position();
    const int n1 = count("Zutatenzahl");
    if (n1 < 1) fail(n1At, "Zutatenzahl " + std::to_string(n1) + " ist kleiner als 1");
    if (n1At + static_cast<std::uint64_t>(n1) >= in_.recordCount())
      fail(n1At, "Zutatenzahl " + std::to_string(n1) + " zeigt hinter das Dateiende");
    for (int i = 1; i < n1; ++i) {
      const std::uint64_t at = in_.position();
      const bool marker = isOriginMarker(text("Zutat"));
      if (marker && i == 1 && n1 < 3) fail(at, "Herkunftsmarke bei Zutatenzahl " + std::to_string(n1));
    }
    const std::uint64_t n2At = in_.position();
    const int n2 = count("Zubereitungszahl");
    if (n2 < 0) fail(n2At, "Zubereitungszahl " + std::to_string(n2) + " ist negativ");
    if (n2At + 1 + static_cast<std::uint64_t>(n2) + 2 > in_.recordCount())
      fail(n2At, "Zubereitungszahl " + std::to_string(n2) + " zeigt hinter das Dateiende");
    for (int i = 0; i < n2; ++i) text("Zubereitung");
    text("Autor");
    text("Personen");
    const std::uint64_t pictureAt = in_.position();
    bool any = false;
    try {
      any = in_.skipToPictureEnd();
    } catch (const EndOfFileError&) {
      fail(pictureAt, "Bildende fehlt: " + std::string(kEndOfFile));
    }
    in_.next();
    if (in_.position() + 2 > in_.recordCount()) fail(in_.position(), "Bildrest fehlt: " + std::string(kEndOfFile));
    const std::uint64_t tailAt = in_.position();
    if (!any) {
      in_.next();
      in_.next();
      return;
    }
    const int tail = count("Bildrestlänge");
    if (tail < -1 || tail > static_cast<int>(kRecordSize))
      problems_.push_back(
          {tailAt, "Warnung: Bildrestlänge " + std::to_string(tail) + " liegt außerhalb von -1 bis 51", true});
    in_.next();
  }

 private:
  [[noreturn]] static void fail(std::uint64_t record, std::string text) { throw Fault{record, std::move(text)}; }

  std::string_view text(const char* what) {
    const std::uint64_t at = in_.position();
    if (in_.atEnd()) fail(at, std::string(what) + ": " + std::string(kEndOfFile));
    const unsigned char* record = in_.next();
    if (record[0] > kMaxText)
      fail(at, std::string(what) + ": Längenbyte " + std::to_string(record[0]) + " ist größer als 50");
    return recordText(record);
  }

  int count(const char* what) {
    const std::uint64_t at = in_.position();
    const std::string_view t = text(what);
    try {
      return toInteger(t);
    } catch (const StoreError& e) {
      fail(at, e.what());
    }
  }

  RecordReader& in_;
  std::vector<Problem>& problems_;
};

}  // namespace

std::vector<Problem> checkRecipeFile(FileIo& file) {
  std::vector<Problem> problems;
  RecordReader in(file);
  const auto torn = findTornTail(file);
  if (torn) in.endAt(*torn);
  Checker checker(in, problems);
  while (!in.atEnd()) {
    const std::uint64_t first = in.position();
    try {
      checker.entry();
    } catch (const Fault& fault) {
      problems.push_back({fault.record, fault.text});
      // Resume at the next record that could start an entry.
      std::uint64_t next = first + 1;
      for (; next < in.recordCount(); ++next) {
        in.seek(next);
        if (categoryCode(recordText(in.next()))) break;
      }
      in.seek(next);
    }
  }
  const std::uint64_t records = file.size() / kRecordSize;
  if (torn)
    problems.push_back({*torn,
                        "Warnung: unvollständiger letzter Eintrag (" + std::to_string(records - *torn) +
                            " Datensätze, ein abgebrochenes Anfügen); er wird übergangen und beim nächsten Schreiben "
                            "abgeschnitten",
                        true});
  const std::uint64_t rest = file.size() % kRecordSize;
  if (rest != 0)
    problems.push_back(
        {records, "Warnung: unvollständiger Datensatz am Dateiende (" + std::to_string(rest) + " Bytes)", true});
  return problems;
}

}  // namespace zestovar::store
