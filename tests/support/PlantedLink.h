// A symbolic link someone placed under a file name of a program directory, leading out of it: to a
// file outside, or to a name outside under which nothing exists yet. Whatever the program writes under
// that name must take the link's place and leave the outside as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "StoreFixtures.h"

namespace zestovar::test {

class PlantedLink {
 public:
  enum class To { File, Nowhere };
  static constexpr std::string_view kOutsideBytes = "Nicht überschreiben!\n";

  PlantedLink(std::filesystem::path name, To to) : name_(std::move(name)), to_(to) {
    if (to_ == To::File) outside_.write("ziel.txt", kOutsideBytes);
    std::filesystem::create_symlink(outside_ / "ziel.txt", name_);
  }

  // Empty when the outside is as it was and, if `nameRemains`, a plain file stands under the name;
  // otherwise what went wrong.
  std::string problems(bool nameRemains = true) const {
    std::string out;
    const std::vector<std::string> expected =
        to_ == To::File ? std::vector<std::string>{"ziel.txt"} : std::vector<std::string>{};
    if (outside_.names() != expected) out += "a file was created outside; ";
    if (to_ == To::File && outside_.read("ziel.txt") != kOutsideBytes) out += "the file outside was written; ";
    const auto status = std::filesystem::symlink_status(name_);
    if (nameRemains && status.type() != std::filesystem::file_type::regular)
      out += name_.filename().string() + " is no plain file; ";
    if (!nameRemains && status.type() != std::filesystem::file_type::not_found)
      out += name_.filename().string() + " is still there; ";
    return out;
  }

 private:
  std::filesystem::path name_;
  To to_;
  TempDir outside_;
};

}  // namespace zestovar::test
