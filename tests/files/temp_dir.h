// Test fixture pieces: a unique temporary directory per test, names in Windows form, raw file access.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace meridan::testing {

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The name of `leaf` inside the directory, in Windows form ("\" separators).
  std::string Name(const std::string& leaf) const;
  std::filesystem::path Native(const std::string& leaf) const { return dir_ / leaf; }
  std::string Slurp(const std::string& leaf) const;
  void Put(const std::string& leaf, const std::string& bytes) const;
  std::filesystem::path dir_;
};

std::string WindowsForm(std::string s);

}  // namespace meridan::testing
