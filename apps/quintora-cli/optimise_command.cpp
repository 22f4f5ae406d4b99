// `quintora-cli optimise [EFFORT]`: the round-order optimiser on the files of
// the current folder, with its progress on standard output, exactly as it
// runs inside a schedule run.

#include <iostream>
#include <memory>

#include "cli_commands.h"
#include "optimiser/zorav.h"

namespace quintora::cli {

void add_optimise_command(CLI::App& app, int& status) {
  auto* sub = app.add_subcommand(
      "optimise",
      "Run the round-order optimiser on optimal.inp in the current folder. Writes the best round "
      "order to optimal.out, the report to ZORAV.OUT and the progress to standard output.");
  // Shared by the option and the callback, which runs after parsing.
  auto effort = std::make_shared<int>(2);
  sub->add_option("EFFORT", *effort,
                  "How hard to search: 2 = up to 50 generations, 3 = up to 100, 4 = up to 500")
      ->check(CLI::Range(2, 4))
      ->capture_default_str();
  sub->callback([&status, effort] {
    const optimiser::ZoravResult result = optimiser::ZORAV(".", *effort, std::cout);
    std::cout.flush();
    if (result.status == optimiser::ZoravStatus::Ok) {
      status = exit_ok;
    } else {
      std::cerr << "quintora-cli optimise: " << result.message << '\n';
      status = exit_failed;
    }
  });
}

}  // namespace quintora::cli
