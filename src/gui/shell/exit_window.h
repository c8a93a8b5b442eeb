#pragma once
// The exit window ExitWindow ("退出本软件"): asks whether to end the program.
// GUI thread.

#include "gui/shell/framed_window.h"

class QLabel;
class QPushButton;

namespace orvane {

class ExitWindow : public FramedWindow {
    Q_OBJECT
   public:
    explicit ExitWindow(const Skin& skin, QWidget* parent = nullptr);

    // Shows "确定要退出本软件吗？" modally; true when the user chose "确定".
    // "取消", the close control and Esc answer no.
    bool confirmExit();

   private:
    QLabel* m_message = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace orvane
