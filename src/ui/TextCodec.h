// The one codec between the windows' text and the bytes of the recipe files and side files.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zestovar::ui {

// Characters that Windows-1252 cannot hold become "?".
std::string toCp1252(const QString& text);
QString fromCp1252(std::string_view cp1252);

// Error texts and other program-made strings are UTF-8.
QString fromUtf8(std::string_view utf8);

}  // namespace zestovar::ui
