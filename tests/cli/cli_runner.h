#pragma once
// Runs the built quintora-cli as a user runs it: in a folder of its own, with
// the temporary folder pointed at another (which must be empty afterwards)
// and without XDG_RUNTIME_DIR, as for root or under cron. Builds the season
// the libraries make of the same options, which the program must match.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/random_name.h"
#include "league/league_file.h"
#include "schedule/schedule_run.h"
#include "support/read_file.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quintora::test {

namespace fs = std::filesystem;

inline void write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

inline std::string quoted(const std::string& text) {
#ifdef _WIN32
  return '"' + text + '"';
#else
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
#endif
}

inline fs::path example(const std::string& file) { return fs::path(QUINTORA_EXAMPLES) / file; }

// The season the libraries build of `league`: the default weeks, then `change`.
inline season::Season library_season(const fs::path& league_file,
                                     const std::function<void(schedule::ScheduleOptions&)>& change) {
  auto league = std::make_unique<league::League>();
  base::Notices notices;
  EXPECT_EQ(read_league_file(*league, league_file.string(), league::ReadMode::Open, notices),
            league::ReadResult::Success);
  schedule::ScheduleOptions options;
  options.season_weeks = schedule::default_season_weeks(*league);
  change(options);
  auto run = std::make_unique<schedule::ScheduleRun>();
  EXPECT_TRUE(run->build_season(*league, options).ok());
  return run->take_season();
}

class CliRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& folder : {work_, temp_}) fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(root_); }

  // Runs quintora-cli with `arguments` in work_; its exit status, its output in out and err.
  int cli(const std::vector<std::string>& arguments) {
    std::string program = quoted(QUINTORA_CLI);
    for (const std::string& argument : arguments) {
      program += ' ';
      program += quoted(argument);
    }
    program += " > " + quoted((root_ / "out").string()) + " 2> " + quoted((root_ / "err").string());
#ifdef _WIN32
    const int status = std::system(
        ("\"cd /d " + quoted(work_.string()) + " && set \"TMP=" + temp_.string() + "\" && " + program + "\"")
            .c_str());
#else
    const int raw = std::system(("cd " + quoted(work_.string()) + " && env -u XDG_RUNTIME_DIR TMPDIR=" +
                                 quoted(temp_.string()) + " " + program)
                                    .c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    // Text mode: Windows reads its CR LF line ends as LF.
    out = read_file(root_ / "out", std::ios::in);
    err = read_file(root_ / "err", std::ios::in);
    EXPECT_TRUE(fs::is_empty(temp_)) << "no work folder, runtime folder or scratch workbook stays";
    return status;
  }
  int cli(const std::string& command, const fs::path& league, const std::string& more) {
    std::vector<std::string> arguments = words(more);
    arguments.insert(arguments.begin(), {command, league.string()});
    return cli(arguments);
  }
  // Every file and folder under the work folder, with the file's bytes.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(work_))
      all[fs::relative(entry.path(), work_).generic_string()] =
          entry.is_directory() ? "" : read_file(entry.path());
    return all;
  }
  std::string written(const std::string& file) const {
    return "Schedule written to " + (work_ / file).string() + "\n";
  }

  // Random, so that two builds testing on one machine never share a folder.
  const fs::path root_ = fs::temp_directory_path() / ("quintora-cli-" + base::random_hex(16));
  const fs::path work_ = root_ / "work";
  const fs::path temp_ = root_ / "tmp";
  std::string out, err;
};

}  // namespace quintora::test
