#pragma once
// A main window driven through the scripted window system, with a scratch
// folder of its own for league files, results and the settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "support/fake_window_system.h"
#include "ui/main_window_logic.h"

namespace quintora::test {

namespace c = ui::control;
namespace cmd = ui::command;

class MainWindowTest : public ::testing::Test {
 public:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& ch : name) {
      if (ch == '/') ch = '_';
    }
    folder = std::filesystem::path(::testing::TempDir()) / ("quintora_ui_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    logic.emplace(ws, folder / "config" / "qtra_set.dat", [this](int code) { quit_code = code; });
    logic->initialise();
  }
  void TearDown() override {
    logic.reset();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  League& league() { return logic->league(); }
  std::string file(const std::string& name) const { return (folder / name).string(); }

  void add_bar(const std::string& name) {
    ws.type(c::bar_name, name);
    ws.click(c::bar_add);
  }
  void add_team(const std::string& name) {
    ws.type(c::team_name, name);
    ws.click(c::team_add);
  }
  // Save As into the scratch folder.
  void save_as(const std::string& name) {
    ws.choose_next(file(name));
    ws.click(cmd::file_save_as);
  }
  std::string last_message() const { return ws.messages().empty() ? std::string() : ws.messages().back().text; }
  std::string last_caption() const {
    return ws.messages().empty() ? std::string() : ws.messages().back().caption;
  }
  static std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  FakeWindowSystem ws;
  std::filesystem::path folder;
  std::optional<ui::MainWindowLogic> logic;
  int quit_code = -1;
};

}  // namespace quintora::test
