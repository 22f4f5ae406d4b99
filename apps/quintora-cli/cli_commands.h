#pragma once
// Each subcommand of quintora-cli registers itself here and, when chosen,
// leaves the exit status of its run in `status`.

#include <CLI/CLI.hpp>

namespace quintora::cli {

// Exit statuses shared by the subcommands.
inline constexpr int exit_ok = 0;
inline constexpr int exit_failed = 1;
inline constexpr int exit_usage = 2;

void add_optimise_command(CLI::App& app, int& status);
void add_schedule_command(CLI::App& app, int& status);
void add_report_command(CLI::App& app, int& status);

}  // namespace quintora::cli
