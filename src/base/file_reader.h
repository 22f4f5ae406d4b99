#pragma once
// The one way the program reads a whole file it is given (a league, the
// optimiser's input). Only a regular file is read: a FIFO, a device or a
// folder given as a file is refused at once, without waiting on its open.

#include <cstddef>
#include <filesystem>
#include <string>

namespace quintora::base {

enum class ReadStatus {
  Ok,
  CannotOpen,  // missing, or not ours to read
  NotAFile,    // a FIFO, a device, a folder
  ReadFailed,
};

// The first `max_bytes` bytes of the file (all of it when it is shorter).
// A caller that must tell a file that is too large reads one byte more than
// it accepts.
ReadStatus read_file(const std::filesystem::path& path, std::size_t max_bytes, std::string& bytes);

}  // namespace quintora::base
