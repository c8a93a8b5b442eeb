#pragma once
// The common part of the settings windows: a modal dialog whose whole content
// lies in one inner widget (so that a window frame can take it over), which
// writes every choice at once through Session::commit on a copy of the model,
// closes on Esc and accepts on Enter. GUI thread only.

#include <QDialog>
#include <QRadioButton>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/album_settings.h"
#include "app/session/session.h"

namespace orvane {

class SettingsDialog : public QDialog {
    Q_OBJECT
   public:
    SettingsDialog(Session& session, const QString& objectName, const QString& caption,
                   QWidget* parent = nullptr);

    // The window's content: every control lies in it.
    QWidget* content() const { return m_content; }

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
    QWidget* m_content = nullptr;
    std::vector<std::pair<QRadioButton*, SettingsOption>> m_options;
};

}  // namespace orvane
