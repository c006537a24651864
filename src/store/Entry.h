// Reading and writing one recipe entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/FileIo.h"
#include "store/RecordReader.h"

namespace zestovar::store {

// The first three records of an entry.
struct EntryHead {
  std::uint64_t first = 0;  // record index of the category record
  std::string category;
  std::string subcategories;
  std::string name;
};

// An entry as stored (all texts Windows-1252).
struct StoredRecipe {
  EntryHead head;
  bool hasOriginMarker = false;
  std::string origin;                    // the origin record, or "keine Angabe" without the marker
  std::vector<std::string> ingredients;  // the ingredient line records
  std::vector<std::string> preparationPieces;
  std::string author;
  std::string persons;
  bool hasPicture = false;
  std::string picture;    // the picture bytes
  std::uint64_t end = 0;  // record index after the tail record

  std::string preparation() const;
};

// Reads the first three records into head; its texts keep their storage from entry to entry.
void readHead(RecordReader& in, EntryHead& head);
EntryHead readHead(RecordReader& in);
// Entry walk from the ingredient count record on: passes over the ingredient block and the
// preparation by arithmetic, reads the author and persons records and steps over the picture up to
// and including the tail record. author, when given, receives the author record.
void skipRest(RecordReader& in, std::string* author = nullptr);
// Reads the rest of the entry after its head.
StoredRecipe readRest(RecordReader& in, EntryHead head);
// readHead followed by readRest.
StoredRecipe readEntry(RecordReader& in);

// The ingredient count of an entry; fails on a count below 1.
int checkedIngredientCount(RecordReader& in);
// The preparation count; fails on a negative count.
int checkedPreparationCount(RecordReader& in);
// Reads records up to the picture end record and the two after it, collecting bytes 0..48 of each
// picture record and the tail's bytes into picture when it is given. A tail length of 0 or below adds
// nothing; one above 51 adds the 51 bytes of the tail record.
// Returns whether there was a picture (a record before the picture end record).
bool readPicture(RecordReader& in, std::string* picture);

// Walks the entries of a file from its first record: calls visit with the reader after each entry's
// name record. visit reads or skips the rest of the entry and acts on the entry only then, since an
// entry that runs into the torn tail of an interrupted append throws on the way and is passed over;
// it returns false to end the walk. The walk ends before a torn tail (see isTornTail); any other fault
// throws.
using EntryVisitor = std::function<bool(RecordReader& in, EntryHead& head)>;
void walkEntries(FileIo& file, const EntryVisitor& visit);

// The first record of the torn tail at the end of a file, found by a walk; none when the walk ends
// cleanly or stops at a fault.
std::optional<std::uint64_t> findTornTail(FileIo& file);

// The record after the last complete entry, where an append writes: the first record of a torn tail,
// otherwise the end of the last whole record (also when a walk stops at a fault, so that nothing behind
// a fault is ever cut off). Costs one walk.
std::uint64_t appendPosition(FileIo& file);

// A recipe as the editor hands it over (all texts Windows-1252).
struct NewRecipe {
  std::string category;
  std::vector<std::string> subcategories;  // the ticked names in the order of the editor's list
  std::string name;
  std::string origin{kNoOrigin};
  std::vector<std::string> ingredients;
  std::string preparation;  // lines separated by CR LF
  std::string author;
  std::string persons;
  std::filesystem::path picture;  // empty: no picture file
  // The picture itself, for a picture that comes from no file of its own (an imported one); used when
  // picture is empty.
  std::string pictureBytes;
};

enum class PictureState { None, Unreadable, Bytes };

// The subcategory record: a blank before each ticked name, cut to 50 characters after each step.
std::string subcategoryRecord(const std::vector<std::string>& ticked);

// The format has no escape: a picture record whose first 22 bytes are the picture end record would
// end the picture there, and every later walk would read picture bytes as counts. The byte offset of
// the first picture group that starts so; none when the picture can be stored.
std::optional<std::size_t> pictureEndInPicture(std::string_view picture);

// The bytes of a whole entry. pictureState says whether there is a picture file and whether it
// could be read; picture holds its bytes. Throws StoreError, naming the picture, for a picture that
// holds the picture end record at the start of a picture record (see pictureEndInPicture).
std::string encodeEntry(const NewRecipe& recipe, PictureState pictureState, std::string_view picture);

// Reads the picture file of a recipe (or takes its pictureBytes) and encodes the entry; a picture file
// that cannot be read makes an entry without picture. A picture that is no plain file (a pipe, a
// device) throws NotAFileError, naming it.
std::string encodeEntry(const NewRecipe& recipe, Files& files);

}  // namespace zestovar::store
