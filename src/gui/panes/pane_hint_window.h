#pragma once
// The fading pane hints TForm31–TForm33 describe the thumbnail under the
// mouse (one line per label). A pane hint waits two seconds, fades in, stays
// two seconds and fades out. GUI thread.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "browser/hint_fade.h"
#include "browser/pane_traits.h"

namespace orvane {

class PaneHintWindow : public QWidget {
    Q_OBJECT

   public:
    explicit PaneHintWindow(PaneKind kind, QWidget* parent = nullptr);

    // Starts over with these lines: closed, then fading in after the delay.
    void showTexts(const QStringList& lines);
    // Closes at once.
    void hideHint();

    QStringList texts() const;
    const HintFade& fade() const { return m_fade; }

   private:
    void onTick();

    std::vector<QLabel*> m_labels;
    HintFade m_fade;
    QTimer m_timer;
};

}  // namespace orvane
