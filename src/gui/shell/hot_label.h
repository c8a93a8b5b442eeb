#pragma once
// HotLabel: a transparent, clickable hot area with an optional text: the
// title-bar labels over the title buttons and the labels of the bottom
// strip. It takes the keyboard focus (Tab), runs on Enter, Return or Space
// and tells when the mouse enters or leaves it. GUI thread.

#include <QAbstractButton>

namespace orvane {

class HotLabel : public QAbstractButton {
    Q_OBJECT
   public:
    // `caption` is the accessible name; `text` is drawn (empty: nothing).
    HotLabel(const QString& objectName, const QString& caption, const QString& text,
             QWidget* parent = nullptr);

   Q_SIGNALS:
    void hovered(bool inside);

   protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

   private:
    bool m_hover = false;
    bool m_keyboardFocus = false;
};

}  // namespace orvane
