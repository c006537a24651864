// The layout of the recipe files.
//
// A recipe file is a flat sequence of 51-byte line records; record i starts at byte 51 * i.
//
//   +--------+------------------------------------------------+
//   | len(1) | characters (50), Windows-1252, left-aligned      |
//   +--------+------------------------------------------------+
//
// One recipe (an entry) is a run of records in this order:
//
//   category                      "Hauptgericht"
//   subcategories                 " Rind Saucen"            (each name preceded by a blank)
//   name                          "Rinderbraten"            (identity of the entry)
//   ingredient count N1           "5"                       (this record + marker + origin + lines)
//   [origin marker]               "$!$Herkunft bekannt$!$"  (optional; then N1 = 3 + lines)
//   [origin]                      "deutsch"
//   ingredient lines ...          N1 - 3 records (N1 - 1 without the marker pair)
//   preparation count N2          "3"
//   preparation pieces ...        N2 records of up to 50 characters, concatenated on reading
//   author                        "Quenna"
//   persons                       "4" (may be empty)
//   picture records ...           P >= 0 records, bytes 0..48 raw picture data
//   picture end                   "!!!Ende des Bildes!!!"
//   tail length n                 "17" (0..48; "-1" when the picture could not be read)
//   tail                          bytes 0..n-1 raw picture data
//
// An entry without picture ends with three picture end records in a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zestovar::store {

inline constexpr std::size_t kRecordSize = 51;
inline constexpr std::size_t kMaxText = 50;
inline constexpr std::size_t kPictureGroup = 49;

// Records of an entry counted from its category record.
inline constexpr std::uint64_t kSubcategoriesAt = 1;
inline constexpr std::uint64_t kNameAt = 2;
inline constexpr std::uint64_t kIngredientCountAt = 3;
// N1 counts itself and, when the origin marker stands, the marker and the origin record.
inline constexpr int kCountedWithOrigin = 3;
inline constexpr int kCountedWithoutOrigin = 1;
// Records counted from the preparation count: N2 pieces, then author and persons.
inline constexpr std::uint64_t kAuthorAndPersons = 2;
// The picture end is followed by the tail length and the tail.
inline constexpr std::uint64_t kTailRecords = 2;

inline constexpr std::string_view kOriginMarker = "$!$Herkunft bekannt$!$";
inline constexpr std::string_view kPictureEnd = "!!!Ende des Bildes!!!";

inline constexpr std::string_view kNoOrigin = "keine Angabe";

// Fixed file names, resolved in the program directory without regard to letter case.
inline constexpr std::string_view kMainFileName = "Zestovar.dat";
inline constexpr std::string_view kUpdateFileName = "zsv.dat";
inline constexpr std::string_view kRewriteFileName = "New.dat";
// Where the bytes of a torn tail go before an append or a rewrite cuts it off.
inline constexpr std::string_view kCutTailFileName = "Abgeschnitten.dat";

}  // namespace zestovar::store
