#include "store/Errors.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include "store/Cp1252.h"

namespace zestovar::store {

EndOfFileError::EndOfFileError() : StoreError(std::string(kEndOfFile)) {}

void throwEndOfFile() { throw StoreError(std::string(kEndOfFile)); }

void throwNotAnInteger(std::string_view cp1252Text) {
  throw StoreError("'" + cp1252ToUtf8(cp1252Text) + "' ist kein gültiger Integerwert");
}

void throwIoError(int errnoValue) {
  switch (errnoValue) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      throw StoreError(std::string(kAccessDenied));
    case ENOENT:
    case ENOTDIR:
      throw StoreError(std::string(kFileNotFound));
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      throw StoreError(std::string(kDiskFull));
    default:
      throw StoreError("E/A-Fehler " + std::to_string(errnoValue) + ": " + std::strerror(errnoValue));
  }
}

std::optional<int> parseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

int toInteger(std::string_view text) {
  const auto value = parseInteger(text);
  if (!value) throwNotAnInteger(text);
  return *value;
}

}  // namespace zestovar::store
