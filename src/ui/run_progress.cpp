#include "ui/run_progress.h"

#include <algorithm>
#include <cmath>

namespace quintora::ui {

schedule::SearchControl RunProgress::control() {
  schedule::SearchControl control;
  control.progress = [this](double done) {
    permille_.store(static_cast<int>(std::lround(std::clamp(done, 0.0, 1.0) * 1000.0)));
  };
  control.cancel = &cancel_;
  return control;
}

ProgressView RunProgress::view(std::chrono::milliseconds elapsed) const {
  const int permille = permille_.load();
  if (elapsed < progress_delay || permille < 0) return {};
  return {true, permille / 10};
}

void run_with_progress(const ProgressRunner& runner,
                       const std::function<void(const schedule::SearchControl&)>& work) {
  RunProgress progress;
  const schedule::SearchControl control = progress.control();
  const std::function<void()> run = [&] { work(control); };
  if (runner) {
    runner(progress, run);
  } else {
    run();
  }
}

}  // namespace quintora::ui
