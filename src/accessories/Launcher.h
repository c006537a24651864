// Launchers for the program: freedesktop desktop entries "Quenna's Zestovar.desktop" that start the
// program file, placed in the user's desktop or applications directory.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/FileIo.h"

namespace zestovar::accessories {

inline constexpr std::string_view kLauncherFileName = "Quenna's Zestovar.desktop";
// Name and Comment of the launcher.
inline constexpr std::string_view kLauncherName = "Quenna's Zestovar";
// A launcher is a program the desktop runs: executable by its owner, readable by all.
inline constexpr store::Permissions kLauncherPermissions = static_cast<store::Permissions>(0755);

// The program path as one argument of an Exec line: in double quotes, with '"', '`', '$' and '\'
// escaped by a backslash and '%' doubled, then written as a string value (backslashes doubled again;
// line breaks, tabs and carriage returns as \n, \t, \r).
std::string execArgument(std::string_view programPath);

// The launcher's content: an application entry whose Exec line starts the given program file.
std::string desktopEntry(std::string_view programPath);

// Writes the launcher into `folder`, replacing an older one, with kLauncherPermissions. Returns whether
// it was saved; an empty folder (one that could not be named) creates nothing. The folder is not
// created here.
bool saveLauncher(store::Files& files, const std::filesystem::path& folder, const std::filesystem::path& program);

}  // namespace zestovar::accessories
