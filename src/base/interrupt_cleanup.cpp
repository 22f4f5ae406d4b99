#include "base/interrupt_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstddef>

namespace quintora::base {

namespace {

using Char = std::filesystem::path::value_type;

constexpr std::size_t slot_count = 16;
constexpr std::size_t path_room = 4096;

struct Slot {
  volatile std::sig_atomic_t in_use = 0;
  CleanupKind kind = CleanupKind::File;
  std::array<Char, path_room> path{};
  int descriptor = -1;  // Length: the file and the length to put back
  long long length = 0;
};

std::array<Slot, slot_count> slots;

void undo_registered(CleanupKind kind) {
  for (Slot& slot : slots) {
    if (slot.in_use == 0 || slot.kind != kind) continue;
    if (kind == CleanupKind::Length) {
      [[maybe_unused]] const int ignored = ::ftruncate(slot.descriptor, static_cast<off_t>(slot.length));
    } else if (kind == CleanupKind::File) {
      ::unlink(slot.path.data());
    } else {
      ::rmdir(slot.path.data());
    }
  }
}

extern "C" void on_interrupt(int signal_number) {
  undo_registered(CleanupKind::Length);
  undo_registered(CleanupKind::File);
  undo_registered(CleanupKind::Folder);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

// Fills a free slot with `fill` and only then marks it in use, so the
// handler never sees half an entry. -1 when every slot is taken.
template <typename Fill>
int take_slot(CleanupKind kind, Fill fill) {
  for (std::size_t i = 0; i < slot_count; ++i) {
    Slot& slot = slots[i];
    if (slot.in_use != 0) continue;
    slot.kind = kind;
    fill(slot);
    slot.in_use = 1;
    return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

int register_cleanup(const std::filesystem::path& path, CleanupKind kind) {
  const auto& text = path.native();
  if (text.empty() || text.size() >= path_room || kind == CleanupKind::Length) return -1;
  return take_slot(kind, [&text](Slot& slot) {
    std::size_t n = 0;
    for (; n < text.size(); ++n) slot.path[n] = text[n];
    slot.path[n] = Char{};
  });
}

int register_length_restore(int descriptor, long long length) {
  if (descriptor < 0 || length < 0) return -1;
  return take_slot(CleanupKind::Length, [descriptor, length](Slot& slot) {
    slot.descriptor = descriptor;
    slot.length = length;
  });
}

void unregister_cleanup(int slot) {
  if (slot >= 0 && static_cast<std::size_t>(slot) < slot_count)
    slots[static_cast<std::size_t>(slot)].in_use = 0;
}

void install_interrupt_cleanup() {
  std::signal(SIGINT, on_interrupt);
  std::signal(SIGTERM, on_interrupt);
}

namespace {
sigset_t interrupt_signals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}
}  // namespace

// A blocked signal stays pending and is delivered as soon as it is unblocked.
DeferredInterrupts::DeferredInterrupts() {
  const sigset_t set = interrupt_signals();
  held_ = pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

DeferredInterrupts::~DeferredInterrupts() {
  if (!held_) return;
  const sigset_t set = interrupt_signals();
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace quintora::base
