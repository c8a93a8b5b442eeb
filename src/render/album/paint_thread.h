#pragma once
// Runs the album's painting on a thread of Qt's global thread pool.
//
// QPainter splits large fills into pieces for the global pool unless the
// painting thread is one of the pool's own. During an album build the
// encoder's threads keep the cores busy already, so the pieces only add
// hand-overs and wake-ups (a fifth of the build's CPU time on two cores)
// without making a frame sooner. The pixels are the same either way.
//
// Call from any thread; blocks until `work` has run, and rethrows what it
// threw. A thread is reserved
// for the call, so it runs even when the pool is full or the caller is a
// pool thread itself.

#include <functional>

namespace orvane {

void runOnPaintThread(const std::function<void()>& work);

}  // namespace orvane
