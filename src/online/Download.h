// What a downloaded recipe may put into the update recipe file.
#pragma once

#include <stdexcept>
#include <string_view>

namespace zestovar::online {

// Where a downloaded recipe is written before its records go into the update recipe file.
inline constexpr std::string_view kDownloadFileName = "newzsv.dat";

// The message is UTF-8, for the error box.
class DownloadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The records of a downloaded recipe that go into the update recipe file: the body's whole 51-byte
// line records, an incomplete last record (such as the CR LF written after the body) dropped. They are
// taken only when they are whole entries by the rules of `zestovar-tool check` to their end (a known
// category, text records of at most 50 characters, counts that fit), so an error page, a cut or a
// malformed entry can never break the update recipe file; otherwise DownloadError.
std::string_view checkedDownload(std::string_view body);

}  // namespace zestovar::online
