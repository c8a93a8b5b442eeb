#include "gui/album/album_length_window.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace orvane {

AlbumLengthWindow::AlbumLengthWindow(Session& session, const Skin& skin, QWidget* parent)
    : SettingsDialog(session, skin, QStringLiteral("TForm2"), QStringLiteral("相册时长"), parent) {
    setFixedSize(380, 200);
    auto* layout = new QVBoxLayout(content());
    layout->setContentsMargins(16, 12, 16, 12);

    auto* photoLength = addOption(SettingsOption::PhotoLength,
                                  QStringLiteral("suiRadioButton_xiangpian_changdu"), content());
    auto* musicLength = addOption(SettingsOption::MusicLength,
                                  QStringLiteral("suiRadioButton_yinyue_changdu"), content());
    m_loopMusic = new QCheckBox(QStringLiteral("以音乐循环播放补充帧频"), content());
    m_loopMusic->setObjectName(QStringLiteral("suiCheckBox_yinyue_xunhuan"));
    m_loopPictures = new QCheckBox(QStringLiteral("以画面循环播放补充帧频"), content());
    m_loopPictures->setObjectName(QStringLiteral("suiCheckBox_huamian_xunhuan"));
    for (QCheckBox* box : {m_loopMusic, m_loopPictures}) box->setAccessibleName(box->text());

    layout->addWidget(photoLength);
    layout->addWidget(musicLength);
    layout->addSpacing(8);
    layout->addWidget(m_loopMusic);
    layout->addWidget(m_loopPictures);
    layout->addStretch();
    setTabChain({photoLength, musicLength, m_loopMusic, m_loopPictures});

    connect(m_loopMusic, &QCheckBox::clicked, this, [this](bool on) {
        changeSettings([on](AlbumSettings& s) { s.loopMusicToFill = on; });
    });
    connect(m_loopPictures, &QCheckBox::clicked, this, [this](bool on) {
        changeSettings([on](AlbumSettings& s) { setLoopPicturesToFill(s, on); });
        load();  // a refused tick is taken back
    });
    connect(&m_session, &Session::tableChanged, this, [this](ProjectTable table) {
        if (table == ProjectTable::Settings && isVisible()) load();
    });
    load();
}

void AlbumLengthWindow::showEvent(QShowEvent* event) {
    // Without songs the album can only follow the photos.
    if (m_session.model().music.empty()) changeSettings(resetAlbumLength);
    load();
    SettingsDialog::showEvent(event);
}

void AlbumLengthWindow::load() {
    loadOptions();
    const AlbumSettings& s = settings();
    m_loopMusic->setChecked(s.loopMusicToFill);
    m_loopPictures->setChecked(s.loopPicturesToFill);
    // The picture loop only lengthens an album that follows the music.
    m_loopPictures->setEnabled(picturesCanLoop(s));
}

}  // namespace orvane
