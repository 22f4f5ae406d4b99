#pragma once
// Runs the built quintora-cli in a scratch folder of its own, with the
// temporary folder pointed into it, and keeps what it printed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace quintora::test {

// Text mode: Windows reads its CR LF line ends as LF; elsewhere a CR stays and shows.
inline std::string read_text_file(const std::filesystem::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string quoted(const std::filesystem::path& path) {
  std::string text(1, '"');
  text += path.string();
  text += '"';
  return text;
}

class CliRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& folder : {work_, temp_}) std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Runs "quintora-cli ARGUMENTS" in work_ and returns its exit status; its
  // standard output and error land in out and err.
  int cli(const std::string& arguments) {
    const std::string program = quoted(QUINTORA_CLI) + " " + arguments + " > " + quoted(root_ / "out") +
                                " 2> " + quoted(root_ / "err");
#ifdef _WIN32
    const int status = std::system(
        ("\"cd /d " + quoted(work_) + " && set \"TMP=" + temp_.string() + "\" && " + program + "\"").c_str());
#else
    const int raw =
        std::system(("cd " + quoted(work_) + " && TMPDIR=" + quoted(temp_) + " " + program).c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    out = read_text_file(root_ / "out");
    err = read_text_file(root_ / "err");
    return status;
  }

  const std::filesystem::path root_ =
      std::filesystem::temp_directory_path() /
      ("quintora-cli-" + std::to_string(std::hash<std::string>()(
                             testing::UnitTest::GetInstance()->current_test_info()->name())));
  const std::filesystem::path work_ = root_ / "work";
  const std::filesystem::path temp_ = root_ / "tmp";
  std::string out, err;
};

}  // namespace quintora::test
