#include "schedule/result_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quintora::schedule {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ResultFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quintora-result-test-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  int entries() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_)) ++n;
    return n;
  }
  fs::path folder_;
};

TEST_F(ResultFileTest, CommitReplacesTheFileAndLeavesNothingElse) {
  const auto target = folder_ / "schedule.txt";
  std::ofstream(target) << "old schedule";
  ResultFile file;
  ASSERT_TRUE(file.prepare(target));
  EXPECT_EQ(contents(target), "old schedule") << "nothing is touched before the text is complete";
  ASSERT_TRUE(file.commit("new\nschedule\n"));
  EXPECT_EQ(contents(target), "new\nschedule\n");
  EXPECT_EQ(entries(), 1);
}

TEST_F(ResultFileTest, AbandonKeepsAnExistingFileAndCreatesNoNewOne) {
  const auto existing = folder_ / "kept.txt";
  std::ofstream(existing) << "keep me";
  {
    ResultFile file;
    ASSERT_TRUE(file.prepare(existing));
    file.abandon();
  }
  {
    ResultFile file;  // dropped without a commit
    ASSERT_TRUE(file.prepare(folder_ / "new.txt"));
  }
  EXPECT_EQ(contents(existing), "keep me");
  EXPECT_EQ(entries(), 1);
}

TEST_F(ResultFileTest, RefusesNamesThatCannotTakeASchedule) {
  fs::create_directories(folder_ / "a folder");
  const fs::path refused[] = {
      fs::path{},
      folder_ / "missing" / "schedule.txt",
      folder_ / "a folder",
      folder_ / "a folder" / "",
  };
  for (const auto& target : refused) {
    ResultFile file;
    EXPECT_FALSE(file.prepare(target)) << target;
  }
  EXPECT_EQ(entries(), 1);
}

TEST_F(ResultFileTest, WritesThroughALinkToItsTarget) {
  const auto real = folder_ / "real.txt";
  std::ofstream(real) << "old";
  std::error_code ec;
  fs::create_symlink(real, folder_ / "link.txt", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here";
  ResultFile file;
  ASSERT_TRUE(file.prepare(folder_ / "link.txt"));
  ASSERT_TRUE(file.commit("new"));
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.txt"));
  EXPECT_EQ(contents(real), "new");
}

}  // namespace
}  // namespace quintora::schedule
