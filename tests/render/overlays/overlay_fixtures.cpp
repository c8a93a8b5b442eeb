#include "overlay_fixtures.h"

#include "effects/text_effect.h"

namespace orvane::testing {

OverlayProject::OverlayProject() { model.settings.lyricKind = LyricKind::Both; }

QString OverlayProject::write(const std::string& name, const std::string& content) const {
    const fs::path path = m_dir.path() / name;
    writeFile(path, content);
    return QString::fromStdString(path.string());
}

void OverlayProject::addSong(int frames, int lyric) {
    MusicEntry song;
    song.fileName = QStringLiteral("song%1").arg(model.music.size() + 1);
    song.frameCount = frames;
    if (lyric >= 0) {
        const QString key = QStringLiteral("key-%1").arg(lyric);
        song.boundLyric = key;
        model.lyrics.at(static_cast<std::size_t>(lyric)).boundMusic = key;
    }
    model.music.append(std::move(song));
}

int OverlayProject::addLyric(const std::string& content, const std::string& name) {
    LyricEntry lyric;
    const std::string file = name.empty() ? "lyric" + std::to_string(++m_files) + ".lrc" : name;
    lyric.location = content.empty() ? QString::fromStdString((m_dir.path() / file).string())
                                     : write(file, content);
    lyric.hAlign = LyricHAlign::Centre;
    lyric.vAlign = LyricVAlign::Bottom;
    model.lyrics.append(std::move(lyric));
    return static_cast<int>(model.lyrics.size()) - 1;
}

void OverlayProject::addKaraoke(const std::string& kscContent) {
    KaraokeEntry entry;
    entry.location = write("karaoke" + std::to_string(++m_files) + ".ksc", kscContent);
    model.karaoke.append(std::move(entry));
}

void OverlayProject::addText(const QString& text, const QString& startTime,
                             const QString& motionKey, const QString& colorName) {
    TextEffectChoice choice;
    choice.text = text;
    choice.startTime = startTime;
    choice.motionKey = motionKey;
    choice.colorName = colorName;
    model.textEffects.append(makeTextEffect(choice).value());
}

QImage blankFrame(QSize size, QColor color) {
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(color);
    return frame;
}

QRect pixelBounds(const QImage& image, const std::function<bool(QRgb)>& match, QRect within) {
    const QRect area = within.isNull() ? image.rect() : within.intersected(image.rect());
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (match(line[x])) bounds |= QRect(x, y, 1, 1);
    }
    return bounds;
}

bool isBright(QRgb p) { return qRed(p) > 160 && qGreen(p) > 160 && qBlue(p) > 160; }
bool isSungBlue(QRgb p) { return qBlue(p) > 120 && qRed(p) < 90 && qGreen(p) < 90; }
bool differs(QRgb p, QRgb background) { return (p & 0xFFFFFF) != (background & 0xFFFFFF); }

}  // namespace orvane::testing
