#pragma once
// TextEffectWindow "文字特效": the text-effect editor. It keeps its own table of texts
// (and the list that shows it, row i showing row i) while it is open;
// openEditor() takes the table from the project, prepares the lists and
// defaults, shows it modally and, when it closes, commits a copy of the model
// whose TextEffectTable is the editor's table. The preview area Panel_LRC
// (513 × 289) shows a live sample of the text being set up and plays the
// texts with the shared motion model (TextMotionPreview). Rows of the list
// can be dragged to another place as a block (blockDropOrder). GUI thread.

#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "base/project_model.h"
#include "effects/text_motion.h"
#include "gui/shell/framed_window.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace orvane {

class Session;

class TextEffectWindow : public FramedWindow {
    Q_OBJECT
   public:
    using MessageSink = std::function<void(const QString&)>;

    TextEffectWindow(Session& session, const Skin& skin, MessageSink showMessage,
                     QWidget* parent = nullptr);
    ~TextEffectWindow() override;

    // The main window's "文字特效": lists and defaults, the editor modally,
    // then the table committed to the session.
    void openEditor();

    // The operations behind the buttons.
    void addEffect();
    void deleteSelected();
    void deleteAll();
    void startSinglePreview();
    void startAllPreview();
    void stopPreview();

    // The list drag's drop: the selected rows, pressed on row `pressed`,
    // land as blockDropOrder says for a release on row `target` (the row
    // count or more: below the last row).
    void dropSelectedRows(int pressed, int target);

    const std::vector<TextEffect>& rows() const { return m_rows; }
    bool previewing() const { return m_preview != nullptr; }
    const TextMotionPreview* preview() const { return m_preview.get(); }
    // The preview label of row i while a preview runs.
    QLabel* previewLabel(int row) const;

   protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    void buildControls();
    void prepareLists();
    void applyDefaults();
    void updateSample();
    void rebuildList();
    std::vector<int> selectedRows() const;
    void startPreview(TextMotionPreview::Mode mode, int selected);
    void previewTick();
    void setEditing(bool enabled);
    int rowAt(QPoint viewportPos) const;
    void showGhost(QPoint viewportPos);
    void hideGhost();

    Session& m_session;
    MessageSink m_showMessage;
    std::vector<TextEffect> m_rows;  // ListView_Label

    QLineEdit* m_text = nullptr;
    QComboBox* m_minutes = nullptr;
    QComboBox* m_seconds = nullptr;
    QComboBox* m_effects = nullptr;
    QComboBox* m_colors = nullptr;
    QComboBox* m_fonts = nullptr;
    QComboBox* m_sizes = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QFrame* m_area = nullptr;  // Panel_LRC
    QLabel* m_sample = nullptr;
    QLineEdit* m_clock = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_return = nullptr;
    std::vector<QWidget*> m_editing;  // disabled while a preview runs

    std::unique_ptr<TextMotionPreview> m_preview;
    std::vector<QLabel*> m_labels;
    QTimer m_timer;

    // The list drag: pressed on a row, moving with the ghost, released.
    bool m_dragPressed = false;
    bool m_dragMoved = false;
    bool m_pressKeptSelection = false;
    int m_dragRow = -1;
    QLabel* m_ghost = nullptr;
};

}  // namespace orvane
