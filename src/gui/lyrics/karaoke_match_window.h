#pragma once
// KaraokeMatchWindow "查看匹配": how the songs pair with the karaoke entries in the
// album, one row per position ("序号", "音乐文件", "对应", "歌词文件"), as
// many rows as the longer of the two tables. GUI thread.

#include "base/project_model.h"
#include "gui/shell/framed_window.h"

class QTreeWidget;

namespace orvane {

class KaraokeMatchWindow : public FramedWindow {
    Q_OBJECT
   public:
    explicit KaraokeMatchWindow(const Skin& skin, QWidget* parent = nullptr);

    // Fills the list from `model` and shows the window modally.
    void showMatches(const ProjectModel& model);
    void fill(const ProjectModel& model);
    QTreeWidget* list() const { return m_list; }

   private:
    QTreeWidget* m_list = nullptr;
};

}  // namespace orvane
