// A console program interrupted in the middle of writing a file, for the
// interrupt tests on Windows. Arguments: the target file, a work folder to
// make and register, the console event (0 Ctrl+C, 1 Ctrl+Break, 2 closing the
// window), and "send" to have the console deliver it, "call" to run the
// handler as the console would, or "length" to run it while the target, grown
// for a longer text, is being overwritten in place. Exits 3 when it cannot
// start its write and 4 when the event did not end it.

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/interrupt_cleanup.h"
#include "base/paths.h"
#include "base/system.h"

int main(int argc, char** argv) {
  namespace base = quintora::base;
  const std::vector<std::string> args = base::utf8_arguments(argc, argv);
  if (args.size() != 5) return 2;
  base::install_interrupt_cleanup();

  const std::filesystem::path folder = base::path_from_utf8(args[2]);
  if (!CreateDirectoryW(folder.c_str(), nullptr)) return 3;
  base::register_cleanup(folder, base::CleanupKind::Folder);
  const std::filesystem::path inside = folder / "optimal.inp";
  base::register_cleanup(inside, base::CleanupKind::File);
  if (base::write_file_atomically(inside, "1 2\n") != base::WriteStatus::Ok) return 3;

  const unsigned long event = std::stoul(args[3]);
  if (args[4] == "length") {
    int fd = -1;
    if (_wsopen_s(&fd, base::path_from_utf8(args[1]).c_str(), _O_RDWR | _O_BINARY, _SH_DENYNO, 0) != 0)
      return 3;
    const long long old_length = _filelengthi64(fd);
    if (base::register_length_restore(fd, old_length) < 0 || _chsize_s(fd, old_length + 4096) != 0) return 3;
    base::console_event_for_testing(event);
    return 4;
  }

  base::AtomicFile file;
  if (file.prepare(base::path_from_utf8(args[1])) != base::WriteStatus::Ok) return 3;
  if (args[4] == "send") {
    GenerateConsoleCtrlEvent(event, 0);
    Sleep(20000);
  } else {
    base::console_event_for_testing(event);
  }
  return 4;
}
