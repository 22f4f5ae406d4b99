#pragma once
// The texts and captions the schedule side shows the user.

#include <string_view>

namespace quintora::schedule::message {

inline constexpr std::string_view stop_caption = "Stop !";
inline constexpr std::string_view information_caption = "Information";

inline constexpr std::string_view no_teams = "Cannot schedule without teams.";
inline constexpr std::string_view not_enough_tables = "Not enough tables for this bar: ";
inline constexpr std::string_view invalid_file_name = "Please use a valid file name.";

inline constexpr std::string_view status_ready = "Click on \"Do it\" to Schedule.";
inline constexpr std::string_view status_running = "Scheduling... Please Wait.";

}  // namespace quintora::schedule::message
