#pragma once
// Runs the album's painting on a thread of Qt's global thread pool.
//
// QPainter splits large fills into pieces for the global pool unless the
// painting thread is one of the pool's own. During an album build the
// encoder's threads keep the cores busy already, so the pieces only add
// hand-overs and wake-ups (a tenth of the build's CPU time on two cores)
// without making a frame sooner. The pixels are those of a split paint but
// for rare rounding in single pixels.
//
// Call from any thread; blocks until `work` has run, and rethrows what it
// threw. When the caller is a pool thread, or the pool has no thread free
// (all busy with other work), `work` runs on the calling thread at once
// rather than waiting for one.

#include <functional>

namespace orvane {

void runOnPaintThread(const std::function<void()>& work);

}  // namespace orvane
