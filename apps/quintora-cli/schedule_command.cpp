#include "cli_commands.h"

namespace quintora::cli {

void add_schedule_command(CLI::App& app, int& status) {
  auto* sub = app.add_subcommand("schedule", "Schedule a league file.");
  sub->callback([&status] { status = exit_failed; });
}

}  // namespace quintora::cli
