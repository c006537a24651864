// The recipe page: "Rezept.htm" and "Image.jpg" in the program directory.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/RecipeStore.h"

namespace zestovar::views {

inline constexpr std::string_view kPageFileName = "Rezept.htm";
inline constexpr std::string_view kImageFileName = "Image.jpg";

// Escapes &, <, > and " of the preparation text and marks its line breaks with <BR>; every line of
// the result ends with CR LF. Texts are Windows-1252.
std::string pageEscape(std::string_view text);

// Whether every character of line is c (an empty line is).
bool isBlankLine(std::string_view line, char c);

inline constexpr int kFewestPersons = 1;
inline constexpr int kMostPersons = 50;

// The number a persons record starts with when it is a whole number from 1 to 50 ("4", "4 Personen");
// only such a recipe has a page for another number of persons.
std::optional<int> personsNumber(std::string_view personsRecord);

enum class PageForm { MainFile, UpdateFile };

// Renders the entry whose head has just been read into page (cleared first). Writes the entry's
// picture, or defaultPicture when it has none, through writeImage. Reads the rest of the entry.
// For another number of persons than the recipe's own, every leading amount of an ingredient line is
// scaled and the persons text names that number; without one, or for the recipe's own number, or when
// the persons record gives no number, the page is the recipe's own. The persons record read goes to
// personsShown.
void renderEntry(store::RecordReader& in, const store::EntryHead& head, PageForm form, std::vector<std::string>& page,
                 const std::function<void(std::string_view)>& writeImage, std::string_view defaultPicture,
                 std::optional<int> persons = std::nullopt, std::string* personsShown = nullptr);

// The bytes of "Rezept.htm": every line followed by CR LF.
std::string pageBytes(const std::vector<std::string>& page);

// Show recipe: renders every entry of that name (main recipe file, then update recipe file; the
// last one wins) and writes "Rezept.htm" and "Image.jpg" into the program directory.
// An error in the main recipe file ends the operation before "Rezept.htm" is written. An error in an
// entry of the update recipe file calls onUpdateEntryError with the name record read last, and the
// walk goes on. persons asks for the page for that number of persons, as renderEntry writes it.
struct ShownPage {
  std::filesystem::path path;  // of "Rezept.htm"
  std::string persons;         // the persons record of the entry shown; empty on an empty page
  bool found = false;          // an entry carries the name
};
ShownPage showRecipePage(store::RecipeStore& store, std::string_view name, std::string_view defaultPicture,
                         const std::function<void(const std::string&)>& onUpdateEntryError,
                         std::optional<int> persons = std::nullopt);

}  // namespace zestovar::views
