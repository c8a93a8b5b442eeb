#pragma once
// KaraokeStyleWindow "卡拉OK设置": the look of one karaoke entry: the unsung colour
// ("歌词颜色"), the sung colour ("渲染颜色"), face, size ("10" … "40"),
// bold/italic/underline and the script (simplified or traditional), each
// group with its "默认" button. "确定" hands the choices back in the
// entry's encodings ("T"/"F", "jianti"/"fanti", identifier and number of
// each colour); "取消" changes nothing. GUI thread.

#include <optional>

#include "base/project_model.h"
#include "gui/shell/framed_window.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace orvane {

class KaraokeStyleWindow : public FramedWindow {
    Q_OBJECT
   public:
    explicit KaraokeStyleWindow(const Skin& skin, QWidget* parent = nullptr);

    // Shows `entry` modally; the entry with the choices after "确定", else
    // nothing.
    std::optional<KaraokeEntry> editEntry(const KaraokeEntry& entry);

    // The entry as the controls describe it now.
    KaraokeEntry chosen() const;

   private:
    void load(const KaraokeEntry& entry);

    KaraokeEntry m_entry;
    QComboBox* m_colour = nullptr;
    QComboBox* m_fill = nullptr;
    QComboBox* m_font = nullptr;
    QComboBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QRadioButton* m_simplified = nullptr;
    QRadioButton* m_traditional = nullptr;
};

}  // namespace orvane
