// The sample exchange files of the tests, written for them in the encodings users' files come in.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace zestovar::test {

inline std::string sample(const std::string& name) {
  std::ifstream in(std::string(ZESTOVAR_EXCHANGE_SAMPLES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace zestovar::test
