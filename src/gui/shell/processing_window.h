#pragma once
// The processing window ProcessingWindow ("正在处理..."): shown modally while a job
// of a JobRunner runs (files added at start or dropped on the main window);
// see JobProgressWindow. GUI thread.

#include "gui/shell/job_progress_window.h"

namespace orvane {

class ProcessingWindow : public JobProgressWindow {
    Q_OBJECT
   public:
    explicit ProcessingWindow(const Skin& skin, QWidget* parent = nullptr);
};

}  // namespace orvane
