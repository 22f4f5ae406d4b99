#pragma once
// A main window driven through the scripted window system, with a scratch
// folder of its own for league files, results and the settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/fake_window_system.h"
#include "support/scratch_folder.h"
#include "ui/controls.h"
#include "ui/main_window_logic.h"

namespace quintora::test {

namespace c = ui::control;
namespace cmd = ui::command;
using Strings = std::vector<std::string>;

class MainWindowTest : public ScratchFolderTest {
 public:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    logic.emplace(ws, folder_ / "config" / "qtra_set.dat", [this](int code) { quit_code = code; });
    logic->initialise();
  }
  // A test that scripted an answer nobody asked for, or let a question go
  // unanswered, has not tested what it meant to.
  void TearDown() override {
    EXPECT_EQ(ws.pending_answers(), 0) << "a scripted answer was never used";
    EXPECT_EQ(ws.unscripted_questions(), 0) << "a question was asked without a scripted answer";
    ScratchFolderTest::TearDown();
  }

  league::League& league() { return logic->league(); }
  std::string file(const std::string& name) const { return base::utf8_of(folder_ / name); }
  void enter(int field, const std::string& text, int button) {
    ws.type(field, text);
    ws.click(button);
  }
  void add_bar(const std::string& name) { enter(c::bar_name, name, c::bar_add); }
  void add_team(const std::string& name) { enter(c::team_name, name, c::team_add); }
  void save_as(const std::string& name) {
    ws.choose_next(file(name));
    ws.click(cmd::file_save_as);
  }
  std::string last_message() const { return ws.messages().empty() ? "" : ws.messages().back().text; }

  FakeWindowSystem ws;
  std::optional<ui::MainWindowLogic> logic;
  int quit_code = -1;
};

}  // namespace quintora::test
