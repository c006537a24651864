// Windows-1252, the code page of every recipe file and side file.
#pragma once

#include <string>
#include <string_view>

namespace zestovar::store {

// Characters that Windows-1252 cannot hold become "?"; malformed UTF-8 bytes do as well.
std::string utf8ToCp1252(std::string_view utf8);
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, unassigned in Windows-1252, map to the C1 controls.
std::string cp1252ToUtf8(std::string_view cp1252);

// The mark some writers put in front of a UTF-8 text.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends one character of the Basic Multilingual Plane (below 0x10000) as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// Folds the letters of Windows-1252 to lower case (A-Z, the accented capitals, Š, Œ, Ž, Ÿ).
char foldCase(char c);
// Whole-text comparison without regard to letter case, as the recipe lists test membership.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// How the contains test compares letters: only A to Z folded, or besides that "ä", "ö", "ü" and "ß"
// (capitals too) taken as "ae", "oe", "ue" and "ss", as German is written without those letters.
enum class Spelling { AsStored, Umlauts };

// "ae", "oe", "ue" or "ss" for the umlauts and "ß" in either case; empty for every other byte.
std::string_view umlautSpelling(char c);
// Appends c as the contains test compares it: A to Z in lower case, with Spelling::Umlauts the
// umlauts and "ß" in two letters.
void appendFolded(std::string& out, char c, Spelling spelling);

// The contains test of the subcategory filters and the search: whether needle occurs in haystack,
// folding only the letters A to Z ("Ä" and "ä" differ). An empty needle is found everywhere. With
// Spelling::Umlauts a hit must begin and end between two stored characters: "ae" finds "ä", but
// "a" alone does not.
bool containsTest(std::string_view needle, std::string_view haystack, Spelling spelling = Spelling::AsStored);

}  // namespace zestovar::store
