#pragma once
// The fading hint windows: TForm31–TForm33 describe the thumbnail under the
// mouse (one line per label), TForm30 describes a button of the main window.
// Borderless, rounded, in the hint colour. A pane hint waits two seconds,
// fades in, stays two seconds and fades out; the text hint shows at once and
// stays until the mouse leaves its button. GUI thread.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "browser/hint_fade.h"
#include "browser/hint_texts.h"
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

class TextHintWindow : public QWidget {
    Q_OBJECT

   public:
    explicit TextHintWindow(QWidget* parent = nullptr);

    // Shows `text` near `cursor` (global), kept on the screen.
    void showText(const QString& text, QPoint cursor);
    void hideHint();
    QString text() const;

    // Shows the hint of `button` (by its text and group) while the mouse is
    // over it.
    void attach(QWidget* button, HintGroup group);

   protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    QLabel* m_label;
};

}  // namespace orvane
