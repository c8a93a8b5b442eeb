#pragma once
// The encoder handle behind the Mcl… calls: the settings, the callbacks and
// the state of the conversion that runs. Settings and callbacks are set on
// one thread before MclConvert; only the stop request may come from another.

#include <atomic>
#include <chrono>

#include "render/mcl/encoder_settings.h"
#include "render/mcl/mcl.h"

namespace orvane {

class MclEncoder {
   public:
    EncoderSettings settings;

    MclCallbacks callbacks;

    std::atomic<bool> abortRequested{false};
    MclError error = MclError::None;
    QString errorText;

    std::chrono::steady_clock::time_point started{};
    std::int64_t framesDone = 0;
    bool converting = false;
};

// Runs one conversion (MclConvert).
bool runConversion(MclEncoder& h);

}  // namespace orvane
