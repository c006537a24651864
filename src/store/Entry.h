// Reading and writing one recipe entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

EntryHead readHead(RecordReader& in);
// Entry walk from the ingredient count record on: passes over the ingredient block and the
// preparation by arithmetic, reads the author and persons records and the picture records up to and
// including the tail record. Returns the author record.
std::string skipRest(RecordReader& in);
// Reads the rest of the entry after its head.
StoredRecipe readRest(RecordReader& in, EntryHead head);
// readHead followed by readRest.
StoredRecipe readEntry(RecordReader& in);

// The ingredient count of an entry; fails on a count below 1.
int checkedIngredientCount(RecordReader& in);
// The preparation count; fails on a negative count.
int checkedPreparationCount(RecordReader& in);
// Reads records up to the picture end record and the two after it, collecting bytes 0..48 of each
// picture record and the tail's bytes into picture when it is given.
// Returns whether there was a picture (a record before the picture end record).
bool readPicture(RecordReader& in, std::string* picture);

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
  std::filesystem::path picture;  // empty: no picture
};

enum class PictureState { None, Unreadable, Bytes };

// The subcategory record: a blank before each ticked name, cut to 50 characters after each step.
std::string subcategoryRecord(const std::vector<std::string>& ticked);

// The bytes of a whole entry. pictureState says whether there is a picture file and whether it
// could be read; picture holds its bytes.
std::string encodeEntry(const NewRecipe& recipe, PictureState pictureState, std::string_view picture);

// Reads the picture file of a recipe and encodes the entry.
std::string encodeEntry(const NewRecipe& recipe);

}  // namespace zestovar::store
