#pragma once
// ButtonRow: a horizontal row of command buttons for a window's layout. The
// buttons belong to `owner` (the widget whose layout holds the row); a
// stretch added before them pushes them to the right edge ("确定" "取消"),
// none lets them share the row's width (play, pause, stop). The row grows
// with longer captions. GUI thread.

#include <QHBoxLayout>
#include <QSize>
#include <vector>

namespace orvane {

class CommandButton;

class ButtonRow : public QHBoxLayout {
    Q_OBJECT
   public:
    enum class Align { Right, Fill };
    explicit ButtonRow(QWidget* owner, Align align = Align::Right);

    CommandButton* addButton(const QString& caption, const QString& objectName);
    // The least size of every button of the row, added or to be added.
    void setLeastButtonSize(QSize size);
    const std::vector<CommandButton*>& buttons() const { return m_buttons; }

   private:
    QWidget* m_owner;
    QSize m_least{0, 0};
    std::vector<CommandButton*> m_buttons;
};

}  // namespace orvane
