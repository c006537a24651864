// Errors of the recipe store carry the German text the user sees.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zestovar::store {

// The message is UTF-8.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An action the program ended itself, announced nowhere (closing the main window aborts a transfer
// under way): it ends the handler that ran it without an error box. The message is UTF-8.
class Cancelled : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A read at or past the end of a file. Walks tell it apart from a malformed count that gives the same
// text: only a walk that ran out of records can have met the torn tail of an interrupted append.
class EndOfFileError : public StoreError {
 public:
  EndOfFileError();
};

inline constexpr std::string_view kEndOfFile = "Versuch hinter dem Dateiende zu lesen";
inline constexpr std::string_view kAccessDenied = "Dateizugriff verweigert";
inline constexpr std::string_view kFileNotFound = "Datei nicht gefunden";
inline constexpr std::string_view kDiskFull = "Disk voll";

// A malformed count that would send a walk backwards or past the records there are.
[[noreturn]] void throwEndOfFile();
// "'%s' ist kein gültiger Integerwert" with the record text (Windows-1252) in place of %s.
[[noreturn]] void throwNotAnInteger(std::string_view cp1252Text);
// The text for an errno value of a failed file operation.
[[noreturn]] void throwIoError(int errnoValue);

// A standard decimal conversion: optional blanks in front, an optional sign, decimal digits,
// within the range of a 32-bit integer. Anything else throws the integer error.
int toInteger(std::string_view cp1252Text);
// The same conversion without an exception: none for anything that is no such integer.
std::optional<int> parseInteger(std::string_view cp1252Text);

}  // namespace zestovar::store
