#pragma once
// Where the encoded album goes: a movie file or a picture sequence. A sink is
// used by one thread at a time (the encoder's worker): open, every frame in
// order, then finish on success or discard on failure and abort.

#include <QImage>
#include <cstdint>

#include "base/error.h"
#include "render/mcl/mcl.h"

namespace orvane {

class FrameSink {
   public:
    virtual ~FrameSink() = default;
    virtual Result<void> open() = 0;
    // The next album frame: Format_RGB32 at the output size.
    virtual Result<void> writeFrame(const QImage& frame) = 0;
    // Completes the output and puts it at its final name.
    virtual Result<void> finish() = 0;
    // Removes everything written so far; nothing is left at the output path.
    virtual void discard() = 0;
    // What the last failure was about: the output (default) or a source.
    virtual MclError failureKind() const { return MclError::Output; }
    // Sound samples encoded so far, counted at 44 100 per second.
    virtual std::int64_t audioSamplesDone() const { return 0; }
};

}  // namespace orvane
