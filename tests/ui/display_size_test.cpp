// The display-size setting: reading whatever the settings file holds, and
// the Options menu writing it.

#include "ui/display_size.h"

#include "main_window_fixture.h"

namespace quintora::test {
namespace {

using ui::DisplaySize;

using DisplaySizeTest = MainWindowTest;

TEST_F(DisplaySizeTest, ReadGivesTheStoredSizeOrSmall) {
  const auto file = folder / "qtra_set.dat";
  const std::pair<DisplaySize, std::vector<const char*>> cases[] = {
      {DisplaySize::Small,
       {nullptr, "140\n1\n", "140\n0\n", "140\n4\n", "140\n-1\n", "140\nlarge\n", "140\n", "",
        "99999999999999999999\n3\n"}},
      {DisplaySize::Medium, {"140\n2\n", "  140  \n  2"}},
      {DisplaySize::Large, {"140\r\n3\r\n", "7\n3\n"}}};
  for (const auto& [size, contents] : cases) {
    for (const char* content : contents) {
      std::filesystem::remove(file);
      if (content != nullptr) std::ofstream(file, std::ios::binary) << content;
      EXPECT_EQ(ui::read_display_size(file), size) << (content != nullptr ? content : "no file");
    }
  }
}

TEST_F(DisplaySizeTest, MenuWritesTheFileAndTellsWhenItCountsOrThatItCannot) {
  ws.click(cmd::large_window);
  ws.click(cmd::large_window);                           // the same size again: written and told again
  std::ifstream in(folder / "config" / "qtra_set.dat");  // text mode: the platform's line ends read as \n
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "140\n3\n");
  in.close();
  ASSERT_EQ(ws.messages().size(), 2u);
  EXPECT_EQ(last_message(), "The change will take effect the next time the program is started.");
  EXPECT_EQ(std::tie(ws.messages().back().caption, ws.messages().back().icon),
            std::tuple("Information", base::Icon::Information));

  std::filesystem::remove(folder / "config" / "qtra_set.dat");
  std::filesystem::create_directory(folder / "config" / "qtra_set.dat");  // cannot be written
  ws.click(cmd::medium_window);
  EXPECT_NE(last_message().find("qtra_set.dat"), std::string::npos);
  EXPECT_EQ(ws.messages().back().icon, base::Icon::Error);
}

}  // namespace
}  // namespace quintora::test
