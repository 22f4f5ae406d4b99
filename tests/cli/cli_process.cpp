#include "cli_process.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quintora::test {

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

CliRun run_cli(const std::filesystem::path& folder, const std::filesystem::path& temp_folder,
               const std::string& arguments) {
  const auto out_file = temp_folder.parent_path() / "stdout.txt";
  const auto err_file = temp_folder.parent_path() / "stderr.txt";
#ifdef _WIN32
  const std::string command = "cd /d " + quoted(folder) + " && set \"TMP=" + temp_folder.string() + "\" && set \"TEMP=" +
                              temp_folder.string() + "\" && " + quoted(QUINTORA_CLI) + " " + arguments + " > " +
                              quoted(out_file) + " 2> " + quoted(err_file);
  const int raw = std::system(("\"" + command + "\"").c_str());
  const int status = raw;
#else
  const std::string command = "cd " + quoted(folder) + " && TMPDIR=" + quoted(temp_folder) + " " + quoted(QUINTORA_CLI) +
                              " " + arguments + " > " + quoted(out_file) + " 2> " + quoted(err_file);
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  CliRun run;
  run.status = status;
  run.out = read_file(out_file);
  run.err = read_file(err_file);
  return run;
}

}  // namespace quintora::test
