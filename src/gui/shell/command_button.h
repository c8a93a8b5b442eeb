#pragma once
// CommandButton: a push button that runs one command of a window. It is
// found by its object name, and its caption, with runs of spacing collapsed
// ("返     回" is read "返 回"), is its accessible name, so a screen reader
// says what the eye reads. GUI thread.

#include <QPushButton>

namespace orvane {

class CommandButton : public QPushButton {
    Q_OBJECT
   public:
    CommandButton(const QString& caption, const QString& objectName, QWidget* parent = nullptr);

    // The least size the button asks of a layout; it still asks more when
    // its caption needs more (a longer text, a larger font).
    void setLeastSize(QSize size);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

   private:
    QSize m_least{0, 0};
};

}  // namespace orvane
