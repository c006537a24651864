// The sample exchange files of the tests, written for them in the encodings users' files come in.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "StoreFixtures.h"

namespace zestovar::test {

inline std::string sample(const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(ZESTOVAR_EXCHANGE_SAMPLES) / name;
  EXPECT_TRUE(std::filesystem::is_regular_file(path)) << name;
  return readFile(path);
}

}  // namespace zestovar::test
