#include "schedule/result_file.h"

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace quintora::schedule {

namespace {

std::string temporary_suffix() {
  static std::minstd_rand generator{static_cast<std::minstd_rand::result_type>(
      std::random_device{}() ^ static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()))};
  return std::to_string(generator());
}

bool write_whole(const std::filesystem::path& path, std::string_view text) {
  std::ofstream file(path, std::ios::out | std::ios::trunc);  // text mode: the platform's line ends
  if (!file) return false;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace

bool ResultFile::prepare(const std::filesystem::path& target) {
  abandon();
  destination_.clear();
  direct_ = false;
  if (target.empty() || !target.has_filename()) return false;

  std::error_code ec;
  std::filesystem::path destination = target;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
    destination = std::filesystem::weakly_canonical(target, ec);
    if (ec) return false;
  }
  const auto folder = destination.parent_path();
  if (!std::filesystem::is_directory(folder, ec)) return false;

  const auto status = std::filesystem::status(destination, ec);
  const bool exists = std::filesystem::exists(status);
  if (exists) {
    if (!std::filesystem::is_regular_file(status)) return false;
    // Opening for appending proves the file writable without changing it.
    std::ofstream probe(destination, std::ios::out | std::ios::app);
    if (!probe) return false;
  }

  for (int attempt = 0; attempt < 16; ++attempt) {
    std::filesystem::path name = ".";
    name += destination.filename();
    name += ".";
    name += temporary_suffix();
    name += ".tmp";
    auto candidate = folder / name;
    if (std::filesystem::exists(std::filesystem::symlink_status(candidate, ec))) continue;
    std::ofstream file(candidate, std::ios::out | std::ios::trunc);
    if (file) {
      temporary_ = std::move(candidate);
      destination_ = std::move(destination);
      return true;
    }
    break;  // the folder takes no new files
  }
  if (!exists) return false;
  direct_ = true;
  destination_ = std::move(destination);
  return true;
}

bool ResultFile::commit(std::string_view text) {
  if (destination_.empty()) return false;
  if (direct_) {
    direct_ = false;
    return write_whole(destination_, text);
  }
  if (!write_whole(temporary_, text)) {
    abandon();
    return false;
  }
  std::error_code ec;
  const auto old_status = std::filesystem::status(destination_, ec);
  if (!ec && std::filesystem::exists(old_status)) {
    std::filesystem::permissions(temporary_, old_status.permissions(), std::filesystem::perm_options::replace, ec);
  }
  std::filesystem::rename(temporary_, destination_, ec);
  if (ec) {
    abandon();
    return false;
  }
  temporary_.clear();
  return true;
}

void ResultFile::abandon() {
  if (temporary_.empty()) return;
  std::error_code ec;
  std::filesystem::remove(temporary_, ec);
  temporary_.clear();
}

}  // namespace quintora::schedule
