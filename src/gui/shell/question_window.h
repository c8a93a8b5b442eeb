#pragma once
// QuestionWindow: a modal window that asks one question and offers a row of
// buttons ("确定删除" / "取消", "确定" / "取消", …). The confirmation windows
// of the delete and bind commands are made of it. The close control and Esc
// answer like the last button. GUI thread.

#include <QString>
#include <vector>

#include "gui/shell/framed_window.h"

class QLabel;
class QPushButton;

namespace orvane {

struct WindowButton {
    QString objectName;
    QString caption;
};

class QuestionWindow : public FramedWindow {
    Q_OBJECT
   public:
    QuestionWindow(const QString& objectName, const QString& caption,
                   const std::vector<WindowButton>& buttons, const Skin& skin,
                   QWidget* parent = nullptr);

    // Shows `question` (its lines one under the other) until a button is
    // pressed; returns the button's index, -1 when the window was closed.
    int ask(const QString& question);

    QLabel* questionLabel() const { return m_question; }
    QPushButton* button(int index) const { return m_buttons.at(index); }

   private:
    void fitTo(const QString& question);

    QLabel* m_question = nullptr;
    std::vector<QPushButton*> m_buttons;
    QSize m_ownSize;  // while a long question has widened the window
};

}  // namespace orvane
