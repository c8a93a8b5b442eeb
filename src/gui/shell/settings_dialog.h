#pragma once
// The common part of the settings windows: a modal window in the common
// frame whose controls lie in its content area, which
// writes every choice at once through Session::commit on a copy of the model,
// closes on Esc and accepts on Enter. GUI thread only.

#include <QRadioButton>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "base/album_settings.h"
#include "gui/shell/framed_window.h"
#include "session/session.h"

namespace orvane {

class SettingsDialog : public FramedWindow {
    Q_OBJECT
   public:
    SettingsDialog(Session& session, const Skin& skin, const QString& objectName,
                   const QString& caption, QWidget* parent = nullptr);

   protected:
    // Commits a copy of the model whose settings `change` changed; the
    // session tells the listeners when anything did change.
    void changeSettings(const std::function<void(AlbumSettings&)>& change);
    const AlbumSettings& settings() const { return m_session.model().settings; }

    // A radio button for `option` under `parent`: its caption from the core,
    // choosing it commits the option.
    QRadioButton* addOption(SettingsOption option, const QString& objectName, QWidget* parent);
    // Checks the option buttons as the settings say.
    void loadOptions();
    // Tab goes through `widgets` in this order.
    static void setTabChain(std::initializer_list<QWidget*> widgets);

    void keyPressEvent(QKeyEvent* event) override;

    Session& m_session;

   private:
    std::vector<std::pair<QRadioButton*, SettingsOption>> m_options;
};

}  // namespace orvane
