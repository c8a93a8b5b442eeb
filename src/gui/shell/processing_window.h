#pragma once
// The processing window TForm35 ("正在处理..."): shown modally while a job
// of a JobRunner runs (files added at start or dropped on the main window);
// see JobProgressWindow. GUI thread.

#include "gui/shell/job_progress_window.h"

namespace orvane {

class TForm35 : public JobProgressWindow {
    Q_OBJECT
   public:
    explicit TForm35(const Skin& skin, QWidget* parent = nullptr);
};

}  // namespace orvane
