#include "store/Check.h"

#include "store/Entry.h"
#include "store/EntryRules.h"
#include "store/Errors.h"
#include "store/RecordMap.h"

namespace zestovar::store {

std::vector<Problem> checkRecipeFile(FileIo& file) {
  std::vector<Problem> problems;
  // What the walks pass over is judged the way they judge it: a torn tail ends them.
  const auto torn = findTornTail(file);
  RecordMap map(file, 0, torn.value_or(RecordMap::kNone));
  // Each record is tried as the start of an entry at most once, so a file of damaged entries costs no
  // more than a sound one.
  std::uint64_t first = 0;
  while (first < map.end()) {
    const EntryVerdict verdict = judgeEntry(map, first);
    if (verdict.kind == EntryVerdict::Kind::Complete) {
      if (verdict.warning) problems.push_back({verdict.warningRecord, verdict.text, true});
      first = verdict.end;
      continue;
    }
    problems.push_back({verdict.record, verdict.text});
    // Resume at the next record that could start an entry.
    first = map.nextCategory(first + 1);
  }
  const std::uint64_t records = file.size() / kRecordSize;
  if (torn)
    problems.push_back({*torn,
                        "Warnung: unvollständiger letzter Eintrag (" + std::to_string(records - *torn) +
                            " Datensätze, ein abgebrochenes Anfügen); er wird übergangen und beim nächsten Schreiben "
                            "nach \"" +
                            std::string(kCutTailFileName) + "\" verschoben",
                        true});
  const std::uint64_t rest = file.size() % kRecordSize;
  if (rest != 0)
    problems.push_back(
        {records, "Warnung: unvollständiger Datensatz am Dateiende (" + std::to_string(rest) + " Bytes)", true});
  return problems;
}

}  // namespace zestovar::store
