#include "render/mcl/frame_pipeline.h"

#include <chrono>

namespace orvane {

FramePipeline::FramePipeline(FrameSink& sink, int width, int height, int depth) : m_sink(sink) {
    m_pictures.reserve(depth);
    for (int i = 0; i < depth; ++i) {
        m_pictures.emplace_back(width, height, QImage::Format_RGB32);
        m_free.push_back(i);
    }
    m_worker = std::thread([this] { run(); });
}

FramePipeline::~FramePipeline() { stopWorker(true); }

QImage* FramePipeline::acquire(const std::atomic<bool>& stop) {
    std::unique_lock lock(m_mutex);
    // Polls `stop` because it is set without this pipeline knowing (MclAbort).
    while (m_free.empty() && !m_failed && !stop)
        m_changed.wait_for(lock, std::chrono::milliseconds(50));
    if (m_failed || stop) return nullptr;
    const int index = m_free.front();
    m_free.pop_front();
    return &m_pictures[index];
}

void FramePipeline::submit(QImage* picture) {
    {
        std::lock_guard lock(m_mutex);
        m_pending.push_back(int(picture - m_pictures.data()));
    }
    m_changed.notify_all();
}

void FramePipeline::run() {
    for (;;) {
        int index = -1;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return !m_pending.empty() || m_closing; });
            if (m_dropPending || m_pending.empty()) return;
            index = m_pending.front();
            m_pending.pop_front();
        }
        auto written = m_sink.writeFrame(m_pictures[index]);
        {
            std::lock_guard lock(m_mutex);
            m_free.push_back(index);
            if (!written) {
                m_error = written.error();
                m_failed = true;
            }
        }
        m_changed.notify_all();
        if (!written) return;
        ++m_framesWritten;
    }
}

void FramePipeline::stopWorker(bool dropPending) {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_dropPending = m_dropPending || dropPending;
    }
    m_changed.notify_all();
    if (m_worker.joinable()) m_worker.join();
}

Result<void> FramePipeline::drain() {
    stopWorker(false);
    if (m_error) return std::unexpected(*m_error);
    return {};
}

void FramePipeline::cancel() { stopWorker(true); }

}  // namespace orvane
