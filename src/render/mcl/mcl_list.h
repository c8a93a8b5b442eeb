#pragma once
// The frame and song lists of the encoder library, and the answer a source
// callback gives for one entry.

#include <QString>
#include <vector>

namespace orvane {

class MclList {
   public:
    struct Entry {
        QString path;  // empty for a frame painted in memory
        int kind = 0;  // kMclVideoEntry, kMclAudioEntry or kMclMemoryEntry
    };
    std::vector<Entry> entries;
};

class MclSource {
   public:
    enum class Answer { None, File, Memory, Finished };
    Answer answer = Answer::None;
    QString path;
};

}  // namespace orvane
