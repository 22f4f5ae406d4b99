// Starting the command line as a user does, for a text schedule and for
// --version: the whole process, its start-up included. A run that makes no
// PDF should load no Qt library and take a few milliseconds.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void run(benchmark::State& state, const std::string& arguments) {
  const std::string command = std::string("'") + QUINTORA_CLI + "' " + arguments + " >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("quintora-cli failed");
      return;
    }
  }
}

void StartVersion(benchmark::State& state) { run(state, "--version"); }

void StartTextSchedule(benchmark::State& state) {
  const std::filesystem::path output = std::filesystem::temp_directory_path() / "quintora-bench-schedule.txt";
  run(state, std::string("schedule '") + QUINTORA_EXAMPLES + "/spring-league.sch' --effort 1 --output '" +
                 output.string() + "'");
  std::error_code ec;
  std::filesystem::remove(output, ec);
}

BENCHMARK(StartVersion)->Unit(benchmark::kMillisecond);
BENCHMARK(StartTextSchedule)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
