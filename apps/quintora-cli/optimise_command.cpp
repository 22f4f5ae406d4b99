#include "cli_commands.h"

namespace quintora::cli {

void add_optimise_command(CLI::App& app, int& status) {
  auto* sub = app.add_subcommand("optimise", "Run the round-order optimiser on optimal.inp in the current folder.");
  sub->callback([&status] { status = exit_failed; });
}

}  // namespace quintora::cli
