#pragma once
// Runs quintora-cli in a folder of its own and collects what it left.

#include <filesystem>
#include <string>

namespace quintora::test {

struct CliRun {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs the program with `arguments` (already quoted for the shell) in
// `folder`, with the system's temporary folder pointed at `temp_folder`.
CliRun run_cli(const std::filesystem::path& folder, const std::filesystem::path& temp_folder,
               const std::string& arguments);

std::string read_file(const std::filesystem::path& path);
std::string quoted(const std::filesystem::path& path);

}  // namespace quintora::test
