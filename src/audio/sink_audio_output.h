#pragma once
// Sound through the system's audio device: a QAudioSink pulls samples that
// the media layer's song decoder (the one the encoder uses too) produces. The sink needs the Qt
// event loop of the thread that created it (the GUI thread).

#include <QAudioDevice>
#include <QAudioFormat>
#include <QIODevice>
#include <memory>

#include "audio/media_player.h"
#include "av/audio_decoder.h"

class QAudioSink;

namespace orvane {

// A read-only device that decodes the song on demand, interleaved in the
// decoder's format. A song that cannot be read on ends there.
class DecodingAudioDevice : public QIODevice {
   public:
    explicit DecodingAudioDevice(std::unique_ptr<av::AudioDecoder> decoder);
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

   protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

   private:
    std::unique_ptr<av::AudioDecoder> m_decoder;
    bool m_failed = false;
};

class SinkAudioOutput : public AudioOutput {
   public:
    explicit SinkAudioOutput(const QAudioDevice& device);
    ~SinkAudioOutput() override;
    Result<void> start(const QString& path, std::int64_t fromMs) override;
    void pause() override;
    void resume() override;
    void stop() override;
    std::int64_t positionMs() const override;

   private:
    QAudioDevice m_device;
    QAudioFormat m_format;
    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<DecodingAudioDevice> m_source;
    std::int64_t m_fromMs = 0;
};

}  // namespace orvane
