#pragma once
// The identifiers of the main window's form, its commands and the dialogs.
// The main window keeps the numbers its form has always had; the Schedule
// dialog's controls are numbered from 2001.

namespace quintora::ui {

namespace control {
inline constexpr int schedule_button = 4;
inline constexpr int season_button = 5;
inline constexpr int team_count_label = 10;
inline constexpr int bar_name_label = 11;
inline constexpr int file_name_label = 12;
inline constexpr int total_teams_label = 15;
inline constexpr int bar_list = 1000;
inline constexpr int team_list = 1001;
inline constexpr int team_name = 1002;
inline constexpr int bar_delete = 1003;
inline constexpr int bar_add = 1004;
inline constexpr int bar_name = 1005;
inline constexpr int team_add = 1006;
inline constexpr int team_delete = 1007;
inline constexpr int tables = 1008;
inline constexpr int bar_rename = 1012;
inline constexpr int auto_add_team = 1013;
inline constexpr int team_rename = 1014;
inline constexpr int title = 1019;
inline constexpr int division_list = 1030;
inline constexpr int division_name = 1031;
inline constexpr int division_add = 1032;
inline constexpr int division_rename = 1033;
inline constexpr int division_delete = 1034;
inline constexpr int team_division = 1035;  // the selected team's division: a choice of the divisions
inline constexpr int address = 1036;
inline constexpr int phone = 1037;
inline constexpr int bar_start = 1038;

inline constexpr int weeks = 2001;
inline constexpr int result_file = 2002;
inline constexpr int effort_no = 2003;
inline constexpr int effort_yes = 2004;
inline constexpr int effort_harder = 2005;
inline constexpr int effort_hardest = 2006;
inline constexpr int viewer_notepad = 2007;
inline constexpr int viewer_wordpad = 2008;
inline constexpr int comma_delimited = 2009;
inline constexpr int status = 2010;
inline constexpr int do_it = 2011;
inline constexpr int cancel = 2012;
inline constexpr int effort_fairest = 2013;
inline constexpr int variant = 2014;
}  // namespace control

// Main-window commands that do not belong to a control of the form.
namespace command {
inline constexpr int file_new = 3001;
inline constexpr int file_open = 3002;
inline constexpr int file_save = 3003;
inline constexpr int file_save_as = 3004;
inline constexpr int file_exit = 3005;
inline constexpr int view_schedule = 3006;
inline constexpr int small_window = 3007;
inline constexpr int medium_window = 3008;
inline constexpr int large_window = 3009;
inline constexpr int about = 3010;
inline constexpr int default_command = 3011;  // the Enter key
inline constexpr int view_season = 3012;
}  // namespace command

// The modal dialogs the main window opens.
namespace dialog {
inline constexpr int schedule = 1;
inline constexpr int about = 2;
}  // namespace dialog

}  // namespace quintora::ui
