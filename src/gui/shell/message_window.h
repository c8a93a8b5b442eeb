#pragma once
// The message window MessageWindow ("提示信息"): every message for the user is
// shown here, modally, and blocks the caller until "确定" (Enter), the close
// control or Esc dismisses it. GUI thread.

#include "base/error.h"
#include "gui/shell/framed_window.h"

class QLabel;
class QPushButton;

namespace orvane {

class MessageWindow : public FramedWindow {
    Q_OBJECT
   public:
    explicit MessageWindow(const Skin& skin, QWidget* parent = nullptr);

    // Writes `message` into Label_xianshi_xiaoxi and shows the window
    // modally until it is dismissed.
    void showMessage(const QString& message);
    // Shows a failure, worded in Chinese from its problem and facts.
    void showError(const UserError& error);

    QLabel* messageLabel() const { return m_message; }

   private:
    QLabel* m_message = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace orvane
