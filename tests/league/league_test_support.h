#pragma once
// Helpers shared by the league tests: building leagues in memory, reading
// league text, and scratch folders for files.

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "league/league.h"
#include "league/league_file.h"
#include "support/fake_window_system.h"

namespace quintora::test {

struct BarSpec {
  std::string name;
  int tables;
  std::vector<std::string> teams;
};

inline League make_league(std::initializer_list<BarSpec> bars) {
  League league;
  for (const BarSpec& b : bars) {
    const int p = add_bar(league, b.name);
    set_tables(league, p, b.tables);
    for (const std::string& t : b.teams) add_team(league, t, p);
  }
  return league;
}

inline ReadResult read_text(League& league, std::string_view text, FakeWindowSystem& ws,
                            ReadMode mode = ReadMode::Open, std::string_view path = "league.sch") {
  std::istringstream in{std::string(text)};
  return read_league(league, in, mode, path, ws);
}

inline std::string file_bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void put_file(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view name) {
    // A random suffix keeps test runs of several builds apart.
    path_ = std::filesystem::temp_directory_path() /
            ("quintora-league-" + std::string(name) + "-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path path_;
};

// The model fields a read and a save must agree on, as one comparable text.
inline std::string describe(const League& league) {
  std::string out = "title=" + std::string(league.stored_title.view()) + " gap=" +
                    std::to_string(league.gap_of_position_night) + " bars=" + std::to_string(league.n_bar) + "/" +
                    std::to_string(league.n_bar_slot) + " teams=" + std::to_string(league.n_team) + "/" +
                    std::to_string(league.n_team_slot) + "\n";
  for (int p = 0; p < league.n_bar_slot; ++p) {
    const auto i = static_cast<std::size_t>(p);
    out += "bar " + std::to_string(league.bar.number[i]) + " " + std::to_string(league.bar.n_team_this_bar[i]) + " " +
           std::to_string(league.bar.n_table_this_bar[i]) + " [" + std::string(league.bar.name[i].view()) + "]\n";
  }
  for (int t = 0; t < league.n_team_slot; ++t) {
    const auto i = static_cast<std::size_t>(t);
    out += "team " + std::to_string(league.team.bar_number[i]) + " [" + std::string(league.team.name[i].view()) + "]\n";
  }
  return out;
}

}  // namespace quintora::test
