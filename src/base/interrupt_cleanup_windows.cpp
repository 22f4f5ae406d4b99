// The interrupt cleanup on Windows. A console program learns of Ctrl+C,
// Ctrl+Break and the closing of its console window through a console control
// handler, which Windows runs on a thread of its own; the handler removes
// what is registered and ends the process as Windows itself would.

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
};

std::array<Slot, slot_count> slots;

void remove_registered(CleanupKind kind) {
  for (Slot& slot : slots) {
    if (!slot.in_use.load() || slot.kind != kind) continue;
    if (kind == CleanupKind::File) {
      DeleteFileW(slot.path.data());
    } else {
      RemoveDirectoryW(slot.path.data());
    }
  }
}

// The exit status Windows gives a console program ended by Ctrl+C.
constexpr UINT interrupted_status = 0xC000013A;

BOOL WINAPI on_console_event(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      remove_registered(CleanupKind::File);
      remove_registered(CleanupKind::Folder);
      ExitProcess(interrupted_status);
    default:
      return FALSE;
  }
}

}  // namespace

int register_cleanup(const std::filesystem::path& path, CleanupKind kind) {
  const std::wstring& text = path.native();
  if (text.empty() || text.size() >= path_room) return -1;
  for (std::size_t i = 0; i < slot_count; ++i) {
    Slot& slot = slots[i];
    if (slot.in_use.load()) continue;
    slot.kind = kind;
    std::size_t n = 0;
    for (; n < text.size(); ++n) slot.path[n] = text[n];
    slot.path[n] = L'\0';
    // Only a complete entry is ever seen by the handler.
    slot.in_use.store(true);
    return static_cast<int>(i);
  }
  return -1;
}

void unregister_cleanup(int slot) {
  if (slot >= 0 && static_cast<std::size_t>(slot) < slot_count)
    slots[static_cast<std::size_t>(slot)].in_use.store(false);
}

void install_interrupt_cleanup() { SetConsoleCtrlHandler(on_console_event, TRUE); }

int registered_cleanup_count() {
  int count = 0;
  for (const Slot& slot : slots) count += slot.in_use.load() ? 1 : 0;
  return count;
}

void console_event_for_testing(unsigned long event) { on_console_event(event); }

}  // namespace quintora::base
