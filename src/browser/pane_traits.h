#pragma once
// The three media panes of the main window (photos, songs, lyric files) and
// what tells them apart: control names, thumbnail size, the thumbnail kind,
// the captions of their report lists, hint and preview captions. Everything
// else about a pane is common to all three. Plain data, any thread.

#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

namespace orvane {

enum class PaneKind { Photos = 0, Music = 1, Lyrics = 2 };

inline constexpr std::array<PaneKind, 3> kPaneKinds{PaneKind::Photos, PaneKind::Music,
                                                    PaneKind::Lyrics};

struct PaneTraits {
    PaneKind kind;
    int thumbnailKind;    // 1 photos, 2 songs, 3 lyric files (thumbnail file names)
    QString label;        // the pane label that shows it: "相片区域", …
    QString paneName;     // Panel_xianshikuang…
    QString contentName;  // Panel_xianshikuang_daxiao…
    QString thumbPrefix;  // "Imagem_" + index, …
    QSize thumbSize;      // 180 × 180 for photos, 150 × 150 otherwise
    QString hoverShapeName;
    QString selectionShapeName;
    QString scrollImagePrefix;  // + "0" (top cap), "1" (middle), "2" (bottom cap)
    QString reportListName;
    QString hintWindowName;     // TForm31 … TForm33
    QString hintWindowCaption;  // "相片控件渐变提示信息", …
    QSize hintWindowSize;       // client size of the hint window
    QString previewCaption;     // caption of the preview box after a press
};

const PaneTraits& paneTraits(PaneKind kind);

// The captions of the report list of a pane, in column order.
QStringList reportColumns(PaneKind kind);

}  // namespace orvane
