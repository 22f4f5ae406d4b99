#pragma once
// Files and folders that must not outlive an interrupted run: a temporary
// file being written, the optimiser's work folder. The command line installs
// the handler, so Ctrl+C or a kill leaves nothing behind; the handler only
// removes what is registered at that moment, with calls that are safe inside
// a signal handler.

#include <filesystem>

namespace quintora::base {

enum class CleanupKind { File, Folder, Length };

// Registers a path; the returned slot is given back to unregister_cleanup.
// -1 when every slot is taken (the path is then simply not cleaned up).
int register_cleanup(const std::filesystem::path& path, CleanupKind kind);
void unregister_cleanup(int slot);

// Registers a file being overwritten in place through `descriptor`: on an
// interrupt its length goes back to `length`, so no room reserved for the
// new text stays after the old one as zeros. Given back to unregister_cleanup.
int register_length_restore(int descriptor, long long length);

// On SIGINT and SIGTERM (on Windows: Ctrl+C, Ctrl+Break and closing the
// console window): puts the registered lengths back, removes the registered
// files, then the registered folders (when empty), then ends the process as
// the signal would have.
void install_interrupt_cleanup();

// Holds an interrupt back while it lives, around a library call that makes
// and removes scratch files of its own, which cannot be registered (the
// workbook writer's): an interrupt that arrives meanwhile is handled when
// this ends, once those files are gone. Not nested across threads.
class DeferredInterrupts {
 public:
  DeferredInterrupts();
  ~DeferredInterrupts();
  DeferredInterrupts(const DeferredInterrupts&) = delete;
  DeferredInterrupts& operator=(const DeferredInterrupts&) = delete;

 private:
  bool held_ = false;
};

#ifdef _WIN32
// Does what the console's CTRL_C_EVENT, CTRL_BREAK_EVENT or CTRL_CLOSE_EVENT
// does, for a test in a child process whose console cannot send them: the
// registered paths are removed and the process ends.
void console_event_for_testing(unsigned long event);
#endif

}  // namespace quintora::base
