#include "audio/sink_audio_output.h"

#include <QAudioSink>

namespace orvane {

DecodingAudioDevice::DecodingAudioDevice(std::unique_ptr<av::AudioDecoder> decoder)
    : m_decoder(std::move(decoder)) {}

qint64 DecodingAudioDevice::bytesAvailable() const {
    return (m_failed || m_decoder->atEnd() ? 0 : 4096) + QIODevice::bytesAvailable();
}

qint64 DecodingAudioDevice::readData(char* data, qint64 maxSize) {
    if (m_failed) return 0;
    auto read = m_decoder->readBytes(data, maxSize);
    if (!read) {
        m_failed = true;
        return 0;
    }
    return *read;
}

SinkAudioOutput::SinkAudioOutput(const QAudioDevice& device) : m_device(device) {
    m_format.setSampleRate(44100);
    m_format.setChannelCount(2);
    m_format.setSampleFormat(QAudioFormat::Int16);
    if (!m_device.isFormatSupported(m_format)) {
        const QAudioFormat preferred = m_device.preferredFormat();
        m_format.setSampleRate(preferred.sampleRate());
        m_format.setChannelCount(std::min(2, preferred.channelCount()));
    }
}

SinkAudioOutput::~SinkAudioOutput() { stop(); }

Result<void> SinkAudioOutput::start(const QString& path, std::int64_t fromMs) {
    stop();
    auto decoder = std::make_unique<av::AudioDecoder>();
    auto opened = decoder->open(
        path, {m_format.sampleRate(), AV_SAMPLE_FMT_S16, m_format.channelCount()}, fromMs);
    if (!opened) return opened;
    m_source = std::make_unique<DecodingAudioDevice>(std::move(decoder));
    m_source->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(m_device, m_format);
    m_fromMs = fromMs;
    m_sink->start(m_source.get());
    return {};
}

void SinkAudioOutput::pause() {
    if (m_sink) m_sink->suspend();
}

void SinkAudioOutput::resume() {
    if (m_sink) m_sink->resume();
}

void SinkAudioOutput::stop() {
    if (m_sink) m_sink->stop();
    m_sink.reset();
    m_source.reset();
    m_fromMs = 0;
}

std::int64_t SinkAudioOutput::positionMs() const {
    return m_sink ? m_fromMs + m_sink->processedUSecs() / 1000 : m_fromMs;
}

}  // namespace orvane
