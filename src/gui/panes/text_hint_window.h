#pragma once
// The text hint TForm30: the hint of the main window's button or label under
// the mouse. Borderless, rounded, in the hint colour; it shows at once and
// stays until the mouse leaves its button. GUI thread.

#include <QLabel>
#include <QPoint>
#include <QWidget>

namespace orvane {

class TextHintWindow : public QWidget {
    Q_OBJECT

   public:
    explicit TextHintWindow(QWidget* parent = nullptr);

    // Shows `text` near `cursor` (global), kept on the screen.
    void showText(const QString& text, QPoint cursor);
    void hideHint();
    QString text() const;

    // Shows the hint of `widget` (its accessible description) while the
    // mouse is over it.
    void attach(QWidget* widget);

   protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    QLabel* m_label;
};

}  // namespace orvane
