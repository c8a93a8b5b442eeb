#include "gui/album/lyric_kind_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

LyricKindWindow::LyricKindWindow(Session& session, const Skin& skin, QWidget* parent)
    : SettingsDialog(session, skin, QStringLiteral("TForm49"), QStringLiteral("歌词类型选择"),
                     parent) {
    setFixedSize(440, 250);
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(20, 14, 20, 14);
    auto* note = new QLabel(QStringLiteral("说明：检测到已经添加了 LRC 歌词文件和卡拉OK歌词文件，"
                                           "选择后，点[确定]按钮开始制作"),
                            content());
    note->setObjectName(QStringLiteral("Label_shuoming"));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* lrc =
        addOption(SettingsOption::LrcLyrics, QStringLiteral("RadioButton_shiyong_lrc"), content());
    auto* ksc = addOption(SettingsOption::KaraokeLyrics, QStringLiteral("RadioButton_shiyong_ksc"),
                          content());
    auto* both = addOption(SettingsOption::BothLyrics, QStringLiteral("RadioButton_shiyong_lrcksc"),
                           content());
    for (QRadioButton* b : {lrc, ksc, both}) layout->addWidget(b);
    layout->addStretch();
    auto* ok = new QPushButton(QStringLiteral("确定"), content());
    ok->setObjectName(QStringLiteral("Button_queding"));
    ok->setAccessibleName(ok->text());
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);
    setTabChain({lrc, ksc, both, ok});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool LyricKindWindow::askLyricKind() {
    changeSettings([](AlbumSettings& s) { chooseOption(s, SettingsOption::BothLyrics); });
    loadOptions();
    return exec() == QDialog::Accepted;
}

}  // namespace orvane
