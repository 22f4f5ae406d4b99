#pragma once
// A long run on a worker thread while the window keeps painting; after the
// delay its progress bar and Cancel appear as a modal dialog over the
// active window. Only the user-interface thread touches widgets: the worker
// reports through RunProgress's atomics, which a timer here reads.

#include "ui/run_progress.h"

namespace quintora::ui::qt {

ProgressRunner progress_runner();

}  // namespace quintora::ui::qt
