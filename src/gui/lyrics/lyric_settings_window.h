#pragma once
// LyricSettingsWindow "歌词设置": edits the display attributes of one lyric (colour,
// face, size, bold/italic/underline, horizontal and vertical placement) with
// a live sample in the 513 × 289 panel Panel_LRC, placed by the same rule the
// previews and the album use. "确定" writes the nine attribute fields back
// into the lyric through Session::commit; "取消", Esc and the close control
// store nothing. GUI thread.

#include "base/project_model.h"
#include "gui/shell/framed_window.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace orvane {

class LyricLabelWidget;
class Session;

class LyricSettingsWindow : public FramedWindow {
    Q_OBJECT
   public:
    LyricSettingsWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

    // Loads lyric `row` (0-based) into the controls and shows the window
    // modally; true when "确定" stored the choices.
    bool editLyric(int row);

    // The lyric as the controls describe it now (the sample shows it).
    LyricEntry chosen() const;
    LyricLabelWidget* sampleLabel() const { return m_sample; }

   private:
    void load(const LyricEntry& lyric);
    void updateSample();
    void store();
    static void checkByKey(QButtonGroup* group, const QString& key);
    static QString checkedKey(const QButtonGroup* group, const QString& stored);

    Session& m_session;
    int m_row = -1;
    LyricEntry m_lyric;
    QComboBox* m_colour = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QButtonGroup* m_hAlign = nullptr;
    QButtonGroup* m_vAlign = nullptr;
    QWidget* m_panel = nullptr;
    LyricLabelWidget* m_sample = nullptr;
    bool m_loading = false;
};

}  // namespace orvane
