#pragma once
// The "其它相关" panel of the main window: picture quality, album length,
// text effects, picture effects and TV system of the session's project, one
// line each, refreshed whenever the session commits a change. GUI thread only.

#include <QLabel>
#include <QWidget>
#include <vector>

#include "base/album_settings.h"
#include "session/session.h"

namespace orvane {

class SummaryPanel : public QWidget {
    Q_OBJECT
   public:
    // `items` are the lines from the top; the main window's panel shows
    // otherSettingsSummaryItems().
    explicit SummaryPanel(Session& session, QWidget* parent = nullptr,
                          std::vector<SummaryItem> items = otherSettingsSummaryItems());

    void refresh();

   protected:
    void resizeEvent(QResizeEvent* event) override;

   private:
    Session& m_session;
    std::vector<SummaryItem> m_items;
    std::vector<QLabel*> m_captions;
    std::vector<QLabel*> m_values;
};

}  // namespace orvane
