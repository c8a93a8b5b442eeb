#pragma once
// A file the user handed in that was left out, and why: the facts of the
// refusal. The front ends word them: the windows in Chinese from the file
// and the reason, the CLI by `detail`, the reader's own message, which names
// the file.

#include <QString>

namespace orvane {

enum class RefusalReason {
    Missing,          // there is no such file
    NotMedia,         // no photo, song or lyric file by its content or its name
    UnreadablePhoto,  // taken for a photo, but no readable JPEG
    UnreadableSong,   // taken for a song, but no readable MP3
};

struct RefusedFile {
    QString file;
    RefusalReason reason = RefusalReason::NotMedia;
    QString detail;

    bool operator==(const RefusedFile&) const = default;
};

}  // namespace orvane
