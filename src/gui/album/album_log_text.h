#pragma once
// The make-album log as the window shows it: each line the album build
// decides (AlbumLogLine) worded in Chinese. The CLI keeps the build's own
// English words. Any thread (the build words its lines on its worker).

#include <QString>

#include "render/album/album_log.h"

namespace orvane {

QString chineseLogText(const AlbumLogLine& line);

}  // namespace orvane
