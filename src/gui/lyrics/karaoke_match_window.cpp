#include "gui/lyrics/karaoke_match_window.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "audio/karaoke_files.h"
#include "gui/lyrics/lyric_controls.h"
#include "gui/shell/command_button.h"

namespace orvane {

KaraokeMatchWindow::KaraokeMatchWindow(const Skin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("TForm51"), QStringLiteral("查看匹配"), skin, parent) {
    setContentSize(QSize(560, 340));
    m_list = new QTreeWidget(content());
    m_list->setObjectName(QStringLiteral("ListView_pipei"));
    m_list->setGeometry(10, 8, 540, 284);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("序号"), QStringLiteral("音乐文件"),
                             QStringLiteral("对应"), QStringLiteral("歌词文件")});
    m_list->setColumnWidth(0, 50);
    m_list->setColumnWidth(1, 210);
    m_list->setColumnWidth(2, 60);
    auto* ok =
        new CommandButton(QStringLiteral("确定"), QStringLiteral("Button_queding"), content());
    ok->setGeometry(455, 302, 95, 28);
    ok->setDefault(true);
    pointAtButtons(content());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void KaraokeMatchWindow::fill(const ProjectModel& model) {
    m_list->clear();
    int number = 0;
    for (const KaraokeMatch& m : karaokeMatches(model)) {
        auto* item = new QTreeWidgetItem(
            m_list, {QString::number(++number), m.song, QStringLiteral("<--->"), m.karaoke});
        item->setTextAlignment(2, Qt::AlignCenter);
    }
}

void KaraokeMatchWindow::showMatches(const ProjectModel& model) {
    fill(model);
    exec();
}

}  // namespace orvane
