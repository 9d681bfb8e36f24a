#pragma once
// A fresh application object whose user folder is a new temporary folder, and little-endian
// helpers for looking into the files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/String.h"

namespace recordstest {

int32_t IntAt(const std::string& bytes, size_t offset);
std::string LE(int32_t v);

class RecordsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Profiles() const { return dir + "/profiles/"; }
  std::string dir;  // the user folder, no closing slash
};

}  // namespace recordstest
