// The window-system double's own rules, which the editor, file-command and
// schedule tests rely on.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/fake_window_system.h"

namespace quintora::test {
namespace {

namespace c = ui::control;

struct Recorder : ui::EventSink {
  std::vector<std::pair<int, ui::Notification>> events;
  void on_event(int id, ui::Notification what) override { events.emplace_back(id, what); }
};

TEST(FakeWindowSystem, FieldsNotifyLabelsAndProgramSelectionsDoNot) {
  FakeWindowSystem ws;
  Recorder sink;
  ws.set_event_sink(&sink);
  ws.set_text(c::tables, "2");
  ws.set_text(c::tables, "2");  // unchanged text notifies too
  ws.set_text(c::total_teams_label, "3");
  ws.set_number(c::status, 4);
  ws.list_append(c::bar_list, "A", 0);
  ws.list_select(c::bar_list, 0);
  ws.type(c::bar_name, "typed");
  ws.select_row(c::bar_list, 0);
  ws.focus(c::tables);
  ws.blur(c::tables);
  ws.click(c::bar_add);
  ws.press_enter();
  using N = ui::Notification;
  const std::vector<std::pair<int, N>> expected = {
      {c::tables, N::Changed},      {c::tables, N::Changed},    {c::bar_name, N::Changed},
      {c::bar_list, N::SelectionChanged}, {c::tables, N::FocusGained}, {c::tables, N::FocusLost},
      {c::bar_add, N::Clicked},     {ui::command::default_command, N::Clicked}};
  EXPECT_EQ(sink.events, expected);
  EXPECT_EQ(ws.text(c::total_teams_label), "3");
  EXPECT_EQ(ws.get_text(c::status, 10), "4");
}

TEST(FakeWindowSystem, GetTextNeverCutsACharacter) {
  FakeWindowSystem ws;
  ws.set_text(c::bar_name, "ab\xC3\xA9z");
  EXPECT_EQ(ws.get_text(c::bar_name, 3), "ab");
  EXPECT_EQ(ws.get_text(c::bar_name, 4), "ab\xC3\xA9");
  EXPECT_EQ(ws.get_text(c::bar_name, 99), "ab\xC3\xA9z");
  EXPECT_EQ(ws.get_text(c::team_name, 99), "");
}

TEST(FakeWindowSystem, ListsKeepOrderTagsAndSelection) {
  FakeWindowSystem ws;
  ws.list_append(c::team_list, "a", 10);
  ws.list_append(c::team_list, "c", 12);
  ws.list_select(c::team_list, 1);
  ws.list_insert(c::team_list, 1, "b", 11);
  EXPECT_EQ(ws.list_texts(c::team_list), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(ws.list_selected(c::team_list), 2);  // the selection stays on "c"
  EXPECT_EQ(ws.list_tag(c::team_list, 1), 11);
  EXPECT_EQ(ws.list_tag(c::team_list, 3), -1);
  EXPECT_EQ(ws.list_text(c::team_list, -1), "");
  ws.list_delete(c::team_list, 0);
  EXPECT_EQ(ws.list_selected(c::team_list), 1);
  ws.list_delete(c::team_list, 1);
  EXPECT_EQ(ws.list_selected(c::team_list), -1);
  ws.list_select(c::team_list, 5);
  EXPECT_EQ(ws.list_selected(c::team_list), -1);
  EXPECT_EQ(ws.list_count(c::bar_list), 0);
}

TEST(FakeWindowSystem, AnswersQuestionsFromTheScriptAndCountsUnscriptedOnes) {
  FakeWindowSystem ws;
  ws.answer_next(ui::Answer::No);
  EXPECT_EQ(ws.message_box("Stop", "Stop !", ui::Icon::Error, ui::Buttons::Ok), ui::Answer::Ok);
  EXPECT_EQ(ws.message_box("Save?", "Warning !", ui::Icon::Exclamation, ui::Buttons::YesNoCancel), ui::Answer::No);
  EXPECT_EQ(ws.unscripted_questions(), 0);
  EXPECT_EQ(ws.message_box("Again?", "Warning !", ui::Icon::Exclamation, ui::Buttons::OkCancel), ui::Answer::Cancel);
  EXPECT_EQ(ws.unscripted_questions(), 1);
  ASSERT_EQ(ws.messages().size(), 3u);
  EXPECT_EQ(ws.messages()[1].text, "Save?");
  EXPECT_EQ(ws.messages()[1].answer, ui::Answer::No);
  EXPECT_EQ(ws.messages()[2].buttons, ui::Buttons::OkCancel);
}

TEST(FakeWindowSystem, DialogScriptsRunAfterOpenAndReportTheClosingCommand) {
  struct Handler : ui::DialogHandler {
    std::vector<int> commands;
    void on_open(ui::WindowSystem& ws) override { ws.set_text(c::weeks, "10"); }
    bool on_command(ui::WindowSystem& ws, int id) override {
      commands.push_back(id);
      return id == c::do_it && ws.get_text(c::weeks, 8) == "12";
    }
  };
  FakeWindowSystem ws;
  Handler handler;
  ws.on_dialog([](FakeWindowSystem& w, ui::DialogHandler& h) {
    EXPECT_EQ(w.text(c::weeks), "10");
    EXPECT_FALSE(h.on_command(w, c::do_it));
    w.type(c::weeks, "12");
    EXPECT_TRUE(h.on_command(w, c::do_it));
    h.on_command(w, c::do_it);  // closed already: not passed on
  });
  EXPECT_EQ(ws.run_dialog(ui::DialogId::Schedule, handler), 1);
  EXPECT_EQ(handler.commands, (std::vector<int>{c::do_it, c::do_it}));
  ws.on_dialog([](FakeWindowSystem&, ui::DialogHandler&) {});
  EXPECT_EQ(ws.run_dialog(ui::DialogId::About, handler), 0);
  EXPECT_EQ(ws.run_dialog(ui::DialogId::About, handler), 0);  // nothing scripted
  EXPECT_EQ(ws.dialogs(), (std::vector<ui::DialogId>{ui::DialogId::Schedule, ui::DialogId::About, ui::DialogId::About}));
}

}  // namespace
}  // namespace quintora::test
