#pragma once
// A file's bytes as the tests compare them (empty when it cannot be read).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quintora::test {

inline std::string read_file(const std::filesystem::path& path, std::ios::openmode mode = std::ios::binary) {
  std::ifstream in(path, mode);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace quintora::test
