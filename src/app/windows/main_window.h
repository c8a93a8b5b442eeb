#pragma once
// The main window TForm1: owns the ProjectModel and shows the summary panel.
// GUI thread only.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "app/project_model.h"
#include "app/working_folder.h"

namespace orvane {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(ProjectModel& model, const WorkingFolder& folder, QWidget* parent = nullptr);

    // Rebuilds the summary panel from the model (the 50 ms refresher).
    void refreshSummary();

private:
    ProjectModel& m_model;
    const WorkingFolder& m_folder;
    std::vector<QLabel*> m_summaryValues;
    QLabel* m_templateCount = nullptr;
    QTimer m_summaryTimer;
};

}  // namespace orvane
