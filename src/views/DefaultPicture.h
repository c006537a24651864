// The 128 x 128 JPEG picture shown for a recipe without picture, compiled into the program.
#pragma once

#include <string_view>

namespace zestovar::embedded {
std::string_view defaultPicture();
}  // namespace zestovar::embedded
