#pragma once
// Small projects for the overlay tests: songs of a few seconds, LRC and KSC
// files written into a temporary folder, frames to paint on, and pixel
// measures of what was drawn.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

#include "base/project_model.h"
#include "support/test_support.h"

namespace orvane::testing {

class OverlayProject {
   public:
    OverlayProject();

    QString write(const std::string& name, const std::string& content) const;
    // A song of `frames` frames; bound to lyric row `lyric` when it is >= 0.
    void addSong(int frames, int lyric = -1);
    // A lyric row for an LRC file with `content`, centred at the bottom.
    int addLyric(const std::string& content, const std::string& name = "");
    void addKaraoke(const std::string& kscContent);
    void addText(const QString& text, const QString& startTime, const QString& motionKey,
                 const QString& colorName = QStringLiteral("clWhite"));

    ProjectModel model;

   private:
    TempDir m_dir;
    int m_files = 0;
};

QImage blankFrame(QSize size, QColor color = Qt::black);

// The smallest rectangle holding every pixel for which `match` is true;
// empty when there is none.
QRect pixelBounds(const QImage& image, const std::function<bool(QRgb)>& match, QRect within = {});
bool isBright(QRgb p);    // text drawn white
bool isSungBlue(QRgb p);  // the default sung colour
bool differs(QRgb p, QRgb background);

}  // namespace orvane::testing
