// The settings files: the display size the Options menu writes, and the
// Season window's size, read back from whatever the files hold.

#include "main_window_fixture.h"
#include "ui/display_size.h"
#include "ui/window_size.h"

namespace quintora::test {
namespace {

using SettingsTest = MainWindowTest;
using ui::DisplaySize;

void put(const std::filesystem::path& file, const char* content) {
  std::filesystem::remove(file);
  if (content != nullptr) std::ofstream(file, std::ios::binary) << content;
}

TEST_F(SettingsTest, DisplaySizeIsTheStoredSizeOrSmall) {
  const auto file = folder / "qtra_set.dat";
  const std::pair<DisplaySize, std::vector<const char*>> cases[] = {
      {DisplaySize::Small,
       {nullptr, "140\n1\n", "140\n0\n", "140\n4\n", "140\n-1\n", "140\nlarge\n", "140\n", "",
        "99999999999999999999\n3\n"}},
      {DisplaySize::Medium, {"140\n2\n", "  140  \n  2"}},
      {DisplaySize::Large, {"140\r\n3\r\n", "7\n3\n"}}};
  for (const auto& [size, contents] : cases) {
    for (const char* content : contents) {
      put(file, content);
      EXPECT_EQ(ui::read_display_size(file), size) << (content != nullptr ? content : "no file");
    }
  }
}

TEST_F(SettingsTest, TheMenuWritesTheDisplaySizeAndTellsWhenItCountsOrThatItCannot) {
  const auto file = folder / "config" / "qtra_set.dat";
  ws.click(cmd::large_window);
  ws.click(cmd::large_window);  // the same size again: written and told again
  std::ifstream in(file);       // text mode: the platform's line ends read as \n
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "140\n3\n");
  in.close();
  ASSERT_EQ(ws.messages().size(), 2u);
  const MessageRecord& told = ws.messages().back();
  EXPECT_EQ(std::tie(told.text, told.caption, told.icon),
            std::tuple("The change will take effect the next time the program is started.", "Information",
                       base::Icon::Information));
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);  // cannot be written
  ws.click(cmd::medium_window);
  EXPECT_NE(last_message().find("qtra_set.dat"), std::string::npos);
  EXPECT_EQ(ws.messages().back().icon, base::Icon::Error);
}

// Only a size in range is written (the folder made first) or read back.
TEST_F(SettingsTest, TheSeasonWindowSizeTakesOnlyTwoSizesInRange) {
  const auto file = folder / "config" / "season_window.dat";
  EXPECT_FALSE(ui::read_window_size(file).has_value());
  ASSERT_TRUE(ui::write_window_size(file, {200, 20000}));
  EXPECT_FALSE(ui::write_window_size(file, {0, 600}));
  EXPECT_FALSE(ui::write_window_size(file, {800, 20001}));
  EXPECT_EQ(ui::read_window_size(file), (ui::WindowSize{200, 20000}));
  const std::string long_tail = "800 600" + std::string(100, '\n');
  for (const char* text : {"", "abc", "800", "800 600 7", "800x600", "-800 600", "199 600", "800 199",
                           "800 20001", "99999999999999999999 600", long_tail.c_str()}) {
    put(file, text);
    EXPECT_FALSE(ui::read_window_size(file).has_value()) << text;
  }
  put(file, "  900\t640\r\n");
  EXPECT_EQ(ui::read_window_size(file), (ui::WindowSize{900, 640}));
  put(file, nullptr);
  std::filesystem::create_directories(file);  // a folder of that name
  EXPECT_FALSE(ui::read_window_size(file).has_value());
  EXPECT_FALSE(ui::write_window_size(file, {800, 600}));
}

}  // namespace
}  // namespace quintora::test
