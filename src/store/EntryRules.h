// The rules of a well-formed entry, as `zestovar-tool check` applies them, judged on a RecordMap: an
// entry is judged from any record in a few steps, whatever its counts.
//
// A well-formed entry: a category record holding one of the six category names; text records (length
// byte 0 to 50) up to the persons record; an ingredient count of at least 1 and a preparation count of
// at least 0 that fit in the file; no origin marker when the ingredient count is 2; the picture end
// record as the first record after the persons record that reads as one; after it two more records,
// the first of them a count when a picture came before it.
#pragma once

#include <cstdint>
#include <string>

#include "store/FileIo.h"
#include "store/RecordMap.h"

namespace zestovar::store {

struct EntryVerdict {
  enum class Kind {
    Complete,  // a well-formed entry ends at `end`
    RanOut,    // the file ends inside the entry
    Fault,     // a rule is broken at `record`
  };
  Kind kind = Kind::Fault;
  std::uint64_t end = 0;     // Complete: the record after the tail record
  std::uint64_t record = 0;  // RanOut, Fault: where the problem was found
  std::string text;          // RanOut, Fault, and a warning: what it is (UTF-8)
  // RanOut: every record from the entry's first to the end of the file keeps the rules, so the records
  // can be the beginning of an entry whose end is missing.
  bool wellFormedSoFar = false;
  // Complete: a tail length outside -1 to 51, which the walks pass over (text says so).
  bool warning = false;
  std::uint64_t warningRecord = 0;
};

// Judges the entry starting at `first`. With messages false the texts stay empty and nothing is read
// from the file.
EntryVerdict judgeEntry(RecordMap& map, std::uint64_t first, bool messages = true);

// Whether a well-formed entry starts at some record from `from` on and ends within the map.
bool completeEntryFrom(RecordMap& map, std::uint64_t from);

// Whether the records from map.first() to the end of the file are the torn tail of an interrupted
// append: a well-formed beginning of an entry, with no complete well-formed entry starting after its
// first record. Text that happens to read "!!!Ende des Bildes!!!" decides nothing. Linear in the
// records.
bool isTornTail(RecordMap& map);
// The same for the records of a file from `first` on, where a walk ran out of records.
bool isTornTail(FileIo& file, std::uint64_t first);

}  // namespace zestovar::store
