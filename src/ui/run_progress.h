#pragma once
// A long run's progress bar and Cancel, without a toolkit. The run may be on
// another thread: it reports how far it is and reads the Cancel flag through
// atomics only. The window asks now and then, on its own thread and with its
// own clock, what to show.

#include <atomic>
#include <chrono>
#include <functional>

#include "schedule/fairest_search.h"

namespace quintora::ui {

// A run shorter than this shows no bar at all.
inline constexpr std::chrono::milliseconds progress_delay{500};

struct ProgressView {
  bool shown = false;
  int percent = 0;  // 0..100
  friend bool operator==(const ProgressView&, const ProgressView&) = default;
};

class RunProgress {
 public:
  RunProgress() = default;
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

  // What the run is handed: it reports here and stops once Cancel is clicked.
  // Valid while this object lives.
  schedule::SearchControl control();
  // The bar's Cancel button.
  void cancel() { cancel_.store(true); }
  bool cancelled() const { return cancel_.load(); }
  // What the window shows `elapsed` after the run began: nothing before the
  // delay, and nothing for a run that reports no progress, since such a run
  // cannot be cancelled either.
  ProgressView view(std::chrono::milliseconds elapsed) const;

 private:
  std::atomic<bool> cancel_{false};
  std::atomic<int> permille_{-1};  // -1: nothing reported yet
};

// Runs `work` while its window keeps painting and shows `progress` as its
// view says; returns once the work is done. Empty, the work runs at once on
// the caller's thread and nothing is shown. The work touches no widget.
using ProgressRunner = std::function<void(RunProgress& progress, const std::function<void()>& work)>;

// Runs `work` with a fresh RunProgress whose control it is given, through
// `runner` (or at once when it is empty).
void run_with_progress(const ProgressRunner& runner,
                       const std::function<void(const schedule::SearchControl&)>& work);

}  // namespace quintora::ui
