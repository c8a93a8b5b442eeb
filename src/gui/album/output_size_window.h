#pragma once
// OutputSizeWindow "输出相册尺寸": the last question of every make command. The make
// command prepares it for its output type (the size list of that type with
// 1280 × 720 selected, the cancel marker cleared) and shows it modally;
// "开始制作" lets the make go on, the close control (or Esc) writes the
// cancel marker "quxiao" and the make stops. Each choice is written to the
// session at once. GUI thread only.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "gui/shell/settings_dialog.h"

namespace orvane {

class OutputSizeWindow : public SettingsDialog {
    Q_OBJECT
   public:
    OutputSizeWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

    // Sets the output type, selects the default size of its list and clears
    // the cancel marker, as a make command does before it shows the window.
    void prepare(OutputType outputType);
    // prepare() and the modal showing; true when the user chose "开始制作".
    bool askBeforeMaking(OutputType outputType);
    // The close control was used since the last prepare().
    bool cancelled() const;

    void reject() override;

   protected:
    void showEvent(QShowEvent* event) override;

   private:
    void load();

    QListWidget* m_sizes = nullptr;
    QListWidget* m_formats = nullptr;
    QLabel* m_sizeText = nullptr;
    QLabel* m_typeText = nullptr;
    QPushButton* m_default = nullptr;
    QPushButton* m_start = nullptr;
    QLineEdit* m_cancelMarker = nullptr;
};

}  // namespace orvane
