// The display-size setting: reading whatever the settings file holds, and
// the Options menu writing it.

#include "main_window_fixture.h"
#include "ui/display_size.h"

namespace quintora::test {
namespace {

struct SettingsCase {
  const char* content;  // nullptr: no file
  ui::DisplaySize expected;
};

class ReadDisplaySizeTest : public ::testing::TestWithParam<SettingsCase> {};

INSTANTIATE_TEST_SUITE_P(
    Files, ReadDisplaySizeTest,
    ::testing::Values(SettingsCase{nullptr, ui::DisplaySize::Small}, SettingsCase{"140\n1\n", ui::DisplaySize::Small},
                      SettingsCase{"140\n2\n", ui::DisplaySize::Medium}, SettingsCase{"140\r\n3\r\n", ui::DisplaySize::Large},
                      SettingsCase{"7\n3\n", ui::DisplaySize::Large}, SettingsCase{"  140  \n  2", ui::DisplaySize::Medium},
                      SettingsCase{"140\n0\n", ui::DisplaySize::Small}, SettingsCase{"140\n4\n", ui::DisplaySize::Small},
                      SettingsCase{"140\n-1\n", ui::DisplaySize::Small}, SettingsCase{"140\nlarge\n", ui::DisplaySize::Small},
                      SettingsCase{"140\n", ui::DisplaySize::Small}, SettingsCase{"", ui::DisplaySize::Small},
                      SettingsCase{"99999999999999999999\n3\n", ui::DisplaySize::Small}));

TEST_P(ReadDisplaySizeTest, GivesTheStoredSizeOrSmall) {
  const auto file = std::filesystem::path(::testing::TempDir()) / "quintora_read_display_size.dat";
  std::filesystem::remove(file);
  if (GetParam().content != nullptr) std::ofstream(file, std::ios::binary) << GetParam().content;
  EXPECT_EQ(ui::read_display_size(file), GetParam().expected);
  std::filesystem::remove(file);
}

using DisplaySizeCommandTest = MainWindowTest;

TEST_F(DisplaySizeCommandTest, MenuWritesTheFileAndTellsWhenItCounts) {
  ws.click(cmd::large_window);
  EXPECT_EQ(read_file(folder / "config" / "qtra_set.dat"), "140\n3\n");
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_EQ(last_message(), "The change will take effect the next time the program is started.");
  EXPECT_EQ(last_caption(), "Information");
  EXPECT_EQ(ws.messages().back().icon, ui::Icon::Information);
  ws.click(cmd::large_window);  // the same size again: written and told again
  EXPECT_EQ(ws.messages().size(), 2u);
  EXPECT_EQ(ui::read_display_size(folder / "config" / "qtra_set.dat"), ui::DisplaySize::Large);
}

TEST_F(DisplaySizeCommandTest, UnwritableFileIsReportedNotPromised) {
  std::ofstream(folder / "config") << "a file where the folder should be";
  ws.click(cmd::medium_window);
  ASSERT_EQ(ws.messages().size(), 1u);
  EXPECT_NE(last_message(), "The change will take effect the next time the program is started.");
  EXPECT_NE(last_message().find("qtra_set.dat"), std::string::npos);
  EXPECT_EQ(ws.messages().back().icon, ui::Icon::Error);
}

}  // namespace
}  // namespace quintora::test
