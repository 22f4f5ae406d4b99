#include "base/interrupt_cleanup.h"

#include <array>
#include <csignal>
#include <cstddef>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quintora::base {

namespace {

using Char = std::filesystem::path::value_type;

constexpr std::size_t slot_count = 16;
constexpr std::size_t path_room = 4096;

struct Slot {
  volatile std::sig_atomic_t in_use = 0;
  CleanupKind kind = CleanupKind::File;
  std::array<Char, path_room> path{};
};

std::array<Slot, slot_count> slots;

void remove_registered(CleanupKind kind) {
  for (Slot& slot : slots) {
    if (slot.in_use == 0 || slot.kind != kind) continue;
#ifdef _WIN32
    if (kind == CleanupKind::File) {
      _wunlink(slot.path.data());
    } else {
      _wrmdir(slot.path.data());
    }
#else
    if (kind == CleanupKind::File) {
      ::unlink(slot.path.data());
    } else {
      ::rmdir(slot.path.data());
    }
#endif
  }
}

extern "C" void on_interrupt(int signal_number) {
  remove_registered(CleanupKind::File);
  remove_registered(CleanupKind::Folder);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

int register_cleanup(const std::filesystem::path& path, CleanupKind kind) {
  const auto& text = path.native();
  if (text.empty() || text.size() >= path_room) return -1;
  for (std::size_t i = 0; i < slot_count; ++i) {
    Slot& slot = slots[i];
    if (slot.in_use != 0) continue;
    slot.kind = kind;
    std::size_t n = 0;
    for (; n < text.size(); ++n) slot.path[n] = text[n];
    slot.path[n] = Char{};
    // Only a complete entry is ever seen by the handler.
    slot.in_use = 1;
    return static_cast<int>(i);
  }
  return -1;
}

void unregister_cleanup(int slot) {
  if (slot >= 0 && static_cast<std::size_t>(slot) < slot_count)
    slots[static_cast<std::size_t>(slot)].in_use = 0;
}

void install_interrupt_cleanup() {
  std::signal(SIGINT, on_interrupt);
  std::signal(SIGTERM, on_interrupt);
}

int registered_cleanup_count() {
  int count = 0;
  for (const Slot& slot : slots) count += slot.in_use != 0 ? 1 : 0;
  return count;
}

}  // namespace quintora::base
