// The Season window's size file: what is read back, and what a damaged or
// foreign file gives.

#include "ui/window_size.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quintora::test {
namespace {

class WindowSizeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::path(::testing::TempDir()) /
             ("quintora_window_size_" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

// A size in range is written (the folder made first) and read back; one out
// of range is not written, and the file keeps the last good size.
TEST_F(WindowSizeTest, WrittenSizesReadBackAndTheFolderIsMade) {
  const auto file = folder / "config" / "season_window.dat";
  EXPECT_FALSE(ui::read_window_size(file).has_value());
  ASSERT_TRUE(ui::write_window_size(file, {1024, 700}));
  EXPECT_EQ(ui::read_window_size(file), (ui::WindowSize{1024, 700}));
  ASSERT_TRUE(ui::write_window_size(file, {200, 20000}));
  EXPECT_FALSE(ui::write_window_size(file, {0, 600}));
  EXPECT_FALSE(ui::write_window_size(file, {800, 20001}));
  EXPECT_EQ(ui::read_window_size(file), (ui::WindowSize{200, 20000}));
}

TEST_F(WindowSizeTest, OnlyTwoSizesInRangeAreTaken) {
  const auto file = folder / "season_window.dat";
  const std::string lines(100, '\n');
  for (const std::string& text : std::initializer_list<std::string>{
           "", "abc", "800", "800 600 7", "800x600", "-800 600", "199 600", "800 199", "800 20001",
           "99999999999999999999 600", "800 600" + lines}) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    EXPECT_FALSE(ui::read_window_size(file).has_value()) << text;
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "  900\t640\r\n";
  EXPECT_EQ(ui::read_window_size(file), (ui::WindowSize{900, 640}));
  std::filesystem::remove(file);
  std::filesystem::create_directories(file);  // a folder of that name
  EXPECT_FALSE(ui::read_window_size(file).has_value());
  EXPECT_FALSE(ui::write_window_size(file, {800, 600}));
}

}  // namespace
}  // namespace quintora::test
