// quintora-cli: the schedule, its fairness report and the optimiser without the desktop program.

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/interrupt_cleanup.h"
#include "base/system.h"
#include "cli_commands.h"
#include "quintora/version.h"

int main(int argc, char** argv) {
  // An interrupted run leaves neither a temporary file nor a work folder.
  quintora::base::install_interrupt_cleanup();
  quintora::base::ignore_file_size_signal();
  quintora::base::use_utf8_console();
  // File names and team names as UTF-8, whatever the system's code page.
  const std::vector<std::string> arguments = quintora::base::utf8_arguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  CLI::App app{
      "Quintora command-line tool: schedules a league file, reports how fair its season is, or runs the "
      "round-order optimiser.",
      "quintora-cli"};
  app.set_version_flag("--version", std::string(quintora::product_name) + " " + quintora::version_text);
  app.require_subcommand(1);

  int status = quintora::cli::exit_ok;
  quintora::cli::add_optimise_command(app, status);
  quintora::cli::add_schedule_command(app, status);
  quintora::cli::add_report_command(app, status);

  try {
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return quintora::cli::exit_usage;
  }
  return status;
}
