#pragma once
// The main window TForm1: shows the project of the session and its summary
// panel, refreshed whenever the session commits a change. GUI thread only.

#include <QLabel>
#include <QWidget>
#include <vector>

#include "app/session/session.h"

namespace orvane {

class TForm1 : public QWidget {
    Q_OBJECT
   public:
    explicit TForm1(Session& session, QWidget* parent = nullptr);

    // Rebuilds the summary panel from the model.
    void refreshSummary();

   private:
    Session& m_session;
    std::vector<QLabel*> m_summaryValues;
    QLabel* m_templateCount = nullptr;
};

}  // namespace orvane
