// Where the recipes of a running program file live. A program file from an unpacked or installed
// package lies in a bin folder that may be read-only and is shared by every user; each user keeps a
// book of their own in their data folder, seeded from the book the package ships. Every other program
// file (a build folder, a copied folder, a folder holding only the program) keeps its recipes beside it.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "store/FileIo.h"

namespace zestovar::store {

struct ProgramHome {
  // The folder every fixed file name is resolved in.
  std::filesystem::path programDir;
  // For an installed program file, the folder of the shipped book; empty otherwise.
  std::filesystem::path shippedDir;

  bool installed() const { return !shippedDir.empty(); }
};

// The program home of a program file lying in programFileDir (an absolute folder), given the values of
// XDG_DATA_HOME and HOME (none when unset). The program file is installed when its folder holds no main
// recipe file and ../share/zestovar beside that folder does; its program directory is then
// $XDG_DATA_HOME/zestovar, or ~/.local/share/zestovar when XDG_DATA_HOME is unset, empty or relative.
// Throws StoreError when an installed program file finds no absolute home folder.
ProgramHome findProgramHome(Files& files, const std::filesystem::path& programFileDir,
                            std::optional<std::string_view> xdgDataHome, std::optional<std::string_view> home);

// Readies the program directory of an installed program file: creates it with its missing parents,
// and when it holds no main recipe file, copies every plain file of the shipped folder that it does
// not hold yet, the main recipe file last. Each file is written under a temporary name and renamed, so
// a start cut short leaves no main recipe file, and the next start completes the copy; a file the user
// already has is never replaced. Does nothing for a program file that is not installed.
void prepareProgramHome(Files& files, const ProgramHome& home);

// findProgramHome with this process's XDG_DATA_HOME and HOME, then prepareProgramHome.
ProgramHome readyProgramHome(Files& files, const std::filesystem::path& programFileDir);

}  // namespace zestovar::store
