#pragma once
// A fresh folder for each test, named as the 8-bit code page of most systems
// cannot spell whole (as a user's folder may be), holding an old file that a
// test may try to damage; removed at the end, with the writer's faults.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "base/atomic_file.h"
#include "base/paths.h"

namespace quintora::test {

class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::create_directories(folder_));
    std::ofstream(target_, std::ios::binary) << old_text_;
  }
  void TearDown() override {
    base::set_write_faults_for_testing({});
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  // Everything in the folder but the target: what a failure must not leave.
  int others() const {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder_)) n += e.path() != target_ ? 1 : 0;
    return n;
  }

  const std::filesystem::path root_ =
      std::filesystem::temp_directory_path() / ("quintora-test-" + std::to_string(std::random_device{}()));
  const std::filesystem::path folder_ = root_ / base::path_from_utf8("Zo\xc3\xab") /
                                        base::path_from_utf8("Ligue d'\xc3\xa9t\xc3\xa9 \xe6\x98\xa5");
  const std::filesystem::path target_ = folder_ / "league.sch";
  const std::string old_text_ = "the old file, which nothing may damage\r\n";
};

}  // namespace quintora::test
