#include "ui/qt/progress_runner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <memory>
#include <thread>

#include "ui/schedule_dialog.h"

namespace quintora::ui::qt {
namespace {

constexpr int tick_ms = 50;

void run_on_worker(RunProgress& progress, const std::function<void()>& work) {
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) owner = QApplication::activeWindow();
  QEventLoop loop;
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    work();
    finished.store(true);
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });

  std::unique_ptr<QProgressDialog> bar;
  QElapsedTimer clock;
  clock.start();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const ProgressView view = progress.view(std::chrono::milliseconds(clock.elapsed()));
    if (!view.shown || progress.cancelled()) return;
    if (!bar) {
      bar = std::make_unique<QProgressDialog>(
          QString::fromUtf8(status_running.data(), static_cast<qsizetype>(status_running.size())),
          QStringLiteral("Cancel"), 0, 100, owner);
      bar->setWindowModality(Qt::ApplicationModal);
      bar->setMinimumDuration(0);
      bar->setAutoReset(false);
      // Escape closes the dialog without its canceled signal: it cancels too.
      const auto cancel = [&] {
        progress.cancel();
        loop.quit();  // input is held back again until the run has stopped
      };
      QObject::connect(bar.get(), &QProgressDialog::canceled, cancel);
      QObject::connect(bar.get(), &QDialog::rejected, cancel);
      bar->show();
      loop.quit();  // the bar takes the user's input from here on
    }
    bar->setValue(view.percent);
  });
  timer.start(tick_ms);
  // Before the bar shows (and once Cancel is clicked) the window paints but
  // takes no input, so nothing can start a second run inside this one.
  while (!finished.load()) {
    const bool bar_open = bar && !progress.cancelled();
    loop.exec(bar_open ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  }
  worker.join();
}

}  // namespace

ProgressRunner progress_runner() { return run_on_worker; }

}  // namespace quintora::ui::qt
