#pragma once
// ListChoiceWindow: a modal window with a line of text, a list of rows to
// choose from and a row of buttons; the caller decides for each button
// press whether the window closes (a missing choice may leave it open with
// a message). The bind window ListChoiceWindow and the manual supplement window are
// made of it. GUI thread.

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "gui/shell/question_window.h"

class QLabel;
class QTreeWidget;

namespace orvane {

class ListChoiceWindow : public FramedWindow {
    Q_OBJECT
   public:
    ListChoiceWindow(const QString& objectName, const QString& caption, const QString& line,
                     const QString& listName, const std::vector<WindowButton>& buttons,
                     const Skin& skin, QWidget* parent = nullptr);

    // Fills the list: one column per header, one row per entry; no row is
    // chosen.
    void setRows(const QStringList& headers, const QList<QStringList>& rows);

    // Called for a button press with the chosen row; true closes the window.
    using ButtonHandler = std::function<bool(int button, std::optional<int> chosen)>;
    // Shows the window until a handled press closes it; returns that
    // button's index, -1 when the window was closed.
    int choose(const ButtonHandler& onButton);

    std::optional<int> chosenRow() const;
    QTreeWidget* list() const { return m_list; }
    QPushButton* button(int index) const { return m_buttons.at(index); }

   private:
    QLabel* m_line = nullptr;
    QTreeWidget* m_list = nullptr;
    std::vector<QPushButton*> m_buttons;
    ButtonHandler m_onButton;
};

}  // namespace orvane
