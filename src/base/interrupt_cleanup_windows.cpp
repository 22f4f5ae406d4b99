// The interrupt cleanup on Windows. A console program learns of Ctrl+C,
// Ctrl+Break and the closing of its console window through a console control
// handler, which Windows runs on a thread of its own; the handler removes
// what is registered and ends the process as Windows itself would.

#include <io.h>
#include <windows.h>

#include <array>
#include <atomic>
#include <cstddef>

#include "base/interrupt_cleanup.h"

namespace quintora::base {

namespace {

constexpr std::size_t slot_count = 16;
constexpr std::size_t path_room = 4096;

struct Slot {
  std::atomic<bool> in_use{false};
  CleanupKind kind = CleanupKind::File;
  std::array<wchar_t, path_room> path{};
  HANDLE file = INVALID_HANDLE_VALUE;  // Length: the file and the length to put back
  long long length = 0;
};

std::array<Slot, slot_count> slots;

void undo_registered(CleanupKind kind) {
  for (Slot& slot : slots) {
    if (!slot.in_use.load() || slot.kind != kind) continue;
    if (kind == CleanupKind::Length) {
      // Sets the end without moving the file position the writer uses.
      FILE_END_OF_FILE_INFO end{};
      end.EndOfFile.QuadPart = slot.length;
      SetFileInformationByHandle(slot.file, FileEndOfFileInfo, &end, sizeof end);
    } else if (kind == CleanupKind::File) {
      DeleteFileW(slot.path.data());
    } else {
      RemoveDirectoryW(slot.path.data());
    }
  }
}

// Fills a free slot with `fill` and only then marks it in use, so the
// handler never sees half an entry. -1 when every slot is taken.
template <typename Fill>
int take_slot(CleanupKind kind, Fill fill) {
  for (std::size_t i = 0; i < slot_count; ++i) {
    Slot& slot = slots[i];
    if (slot.in_use.load()) continue;
    slot.kind = kind;
    fill(slot);
    slot.in_use.store(true);
    return static_cast<int>(i);
  }
  return -1;
}

// The exit status Windows gives a console program ended by Ctrl+C.
constexpr UINT interrupted_status = 0xC000013A;

// Interrupts held back by DeferredInterrupts. The console handler runs on a
// thread of its own, so it waits for the hold to end (briefly: the system
// gives a closing console a few seconds).
std::atomic<int> deferred{0};

BOOL WINAPI on_console_event(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      while (deferred.load() > 0) Sleep(10);
      undo_registered(CleanupKind::Length);
      undo_registered(CleanupKind::File);
      undo_registered(CleanupKind::Folder);
      ExitProcess(interrupted_status);
    default:
      return FALSE;
  }
}

}  // namespace

int register_cleanup(const std::filesystem::path& path, CleanupKind kind) {
  const std::wstring& text = path.native();
  if (text.empty() || text.size() >= path_room || kind == CleanupKind::Length) return -1;
  return take_slot(kind, [&text](Slot& slot) {
    std::size_t n = 0;
    for (; n < text.size(); ++n) slot.path[n] = text[n];
    slot.path[n] = L'\0';
  });
}

int register_length_restore(int descriptor, long long length) {
  if (descriptor < 0 || length < 0) return -1;
  // The handle behind the run-time's descriptor, taken now: the handler runs
  // on a thread of its own and must not go through the run-time's locks.
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  if (handle == INVALID_HANDLE_VALUE) return -1;
  return take_slot(CleanupKind::Length, [handle, length](Slot& slot) {
    slot.file = handle;
    slot.length = length;
  });
}

void unregister_cleanup(int slot) {
  if (slot >= 0 && static_cast<std::size_t>(slot) < slot_count)
    slots[static_cast<std::size_t>(slot)].in_use.store(false);
}

void install_interrupt_cleanup() { SetConsoleCtrlHandler(on_console_event, TRUE); }

DeferredInterrupts::DeferredInterrupts() : held_(true) { ++deferred; }
DeferredInterrupts::~DeferredInterrupts() { --deferred; }

void console_event_for_testing(unsigned long event) { on_console_event(event); }

}  // namespace quintora::base
