#pragma once
// A bounded hand-over of frames from the thread that paints them (the one
// running the conversion and its callbacks) to a worker thread that encodes
// them into a sink, so that painting frame i+1 overlaps encoding frame i.
// A few pictures of the output size are reused; none is allocated per frame.

#include <QImage>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "render/mcl/frame_sink.h"

namespace orvane {

class FramePipeline {
   public:
    // Starts the worker; `sink` must be open and outlive the pipeline.
    FramePipeline(FrameSink& sink, int width, int height, int depth = 3);
    ~FramePipeline();  // stops the worker, dropping frames not yet written
    FramePipeline(const FramePipeline&) = delete;
    FramePipeline& operator=(const FramePipeline&) = delete;

    // A free picture to paint the next frame into; waits while every picture
    // is queued. Nothing when the worker has failed or `stop` became true.
    QImage* acquire(const std::atomic<bool>& stop);
    // Queues a picture from acquire() for encoding, in order.
    void submit(QImage* picture);
    // Waits until every queued frame is written and stops the worker;
    // returns the first failure of the sink.
    Result<void> drain();
    // Stops the worker at once; queued frames are dropped.
    void cancel();

    std::int64_t framesWritten() const { return m_framesWritten; }
    bool failed() const { return m_failed; }

   private:
    void run();
    void stopWorker(bool dropPending);

    FrameSink& m_sink;
    std::vector<QImage> m_pictures;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_free;
    std::deque<int> m_pending;
    bool m_closing = false;
    bool m_dropPending = false;
    std::atomic<bool> m_failed{false};
    std::optional<UserError> m_error;
    std::atomic<std::int64_t> m_framesWritten{0};
    std::thread m_worker;
};

}  // namespace orvane
