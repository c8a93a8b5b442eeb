// One conversion: asks the sources and the video func for every frame on the
// caller's thread and hands the pictures to a worker that encodes them.

#include <QDir>
#include <QImageReader>

#include "render/mcl/frame_pipeline.h"
#include "render/mcl/mcl_encoder.h"
#include "render/mcl/mcl_list.h"
#include "render/mcl/movie_writer.h"
#include "render/mcl/output_plan.h"
#include "render/mcl/picture_sequence_writer.h"

namespace orvane {

namespace {

// Songs are asked for up front (in order) so that the worker never calls back.
constexpr int kMaxSongs = 100000;

class Conversion {
   public:
    explicit Conversion(MclEncoder& h) : m_h(h) {}

    bool run() {
        m_h.error = MclError::None;
        m_h.errorText.clear();
        m_h.abortRequested = false;
        m_h.framesDone = 0;
        m_h.started = std::chrono::steady_clock::now();
        report(MclStatus::Preparing, 0, 0, 0);

        auto plan = planOutput(m_h.settings);
        if (!plan) return failed(MclError::Settings, plan.error().message);
        m_plan = *plan;

        std::unique_ptr<FrameSink> sink;
        if (m_plan.kind == OutputKind::PictureSequence) {
            sink = std::make_unique<PictureSequenceWriter>(m_plan);
        } else {
            auto songs = collectSongs();
            if (!songs) return failed(MclError::Source, songs.error().message);
            sink = std::make_unique<MovieWriter>(m_plan, std::move(*songs));
        }
        if (auto opened = sink->open(); !opened)
            return failed(sink->failureKind(), opened.error().message);

        const bool framesOk = produceFrames(*sink);
        if (m_h.error == MclError::None && m_h.abortRequested) return aborted(*sink);
        if (!framesOk) {
            sink->discard();
            return failed(m_h.error, m_h.errorText);
        }
        if (auto finished = sink->finish(); !finished) {
            sink->discard();
            return failed(sink->failureKind(), finished.error().message);
        }
        report(MclStatus::Multiplexing, 0, 0, 100);
        report(MclStatus::ProcessingTime, 0, 0, 0);
        return true;
    }

   private:
    void report(MclStatus status, std::int64_t a, std::int64_t b, int c) {
        if (m_h.callbacks.progress) m_h.callbacks.progress(m_h, status, a, b, c);
    }

    bool failed(MclError error, const QString& text) {
        m_h.error = error;
        m_h.errorText = text;
        if (m_h.callbacks.error) m_h.callbacks.error(m_h, error);
        return false;
    }

    bool aborted(FrameSink& sink) {
        sink.discard();
        m_h.error = MclError::Aborted;
        m_h.errorText = QStringLiteral("Conversion aborted; %1 was not made.")
                            .arg(QDir::toNativeSeparators(m_plan.path));
        return false;
    }

    Result<std::vector<QString>> collectSongs() {
        std::vector<QString> songs;
        if (!m_h.callbacks.audioSource) return songs;
        for (int i = 0; i < kMaxSongs; ++i) {
            MclSource source;
            m_h.callbacks.audioSource(source, i);
            if (source.answer != MclSource::Answer::File) break;
            songs.push_back(source.path);
        }
        return songs;
    }

    // Puts the picture of a frame file into `picture`, at the output size.
    bool readFramePicture(const QString& path, QImage& picture) {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);  // frame files may carry any extension
        QImage image = reader.read();
        if (image.isNull()) {
            m_h.error = MclError::Source;
            m_h.errorText = QStringLiteral("The frame picture %1 cannot be read: %2")
                                .arg(QDir::toNativeSeparators(path), reader.errorString());
            return false;
        }
        picture = fitToOutput(std::move(image));
        return true;
    }

    QImage fitToOutput(QImage image) const {
        if (image.width() != m_plan.width || image.height() != m_plan.height)
            image = image.scaled(m_plan.width, m_plan.height, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        if (image.format() != QImage::Format_RGB32)
            image = image.convertToFormat(QImage::Format_RGB32);
        return image;
    }

    // False when the frames stopped early (abort, a source or the sink failed);
    // m_h.error tells which, except for an abort.
    bool produceFrames(FrameSink& sink) {
        FramePipeline pipeline(sink, m_plan.width, m_plan.height);
        std::int64_t lastReported = 0;
        for (int index = 0; m_h.callbacks.videoSource; ++index) {
            MclSource source;
            m_h.callbacks.videoSource(source, index);
            if (source.answer != MclSource::Answer::File &&
                source.answer != MclSource::Answer::Memory)
                break;
            QImage* picture = pipeline.acquire(m_h.abortRequested);
            if (!picture) break;
            if (source.answer == MclSource::Answer::File &&
                !readFramePicture(source.path, *picture)) {
                pipeline.cancel();
                return false;
            }
            if (m_h.callbacks.video && !m_h.callbacks.video(m_h, *picture, index))
                m_h.abortRequested = true;
            if (m_h.abortRequested) break;
            if (picture->width() != m_plan.width || picture->height() != m_plan.height ||
                picture->format() != QImage::Format_RGB32)
                *picture = fitToOutput(std::move(*picture));
            pipeline.submit(picture);
            m_h.framesDone = index + 1;
            if (m_h.framesDone - lastReported >= kAlbumFramesPerSecond) {
                reportFrames(sink, pipeline);
                lastReported = m_h.framesDone;
            }
        }
        if (m_h.abortRequested) {
            pipeline.cancel();
            return false;
        }
        if (auto drained = pipeline.drain(); !drained) {
            m_h.error = sink.failureKind();
            m_h.errorText = drained.error().message;
            return false;
        }
        reportFrames(sink, pipeline);
        return true;
    }

    void reportFrames(const FrameSink& sink, const FramePipeline& pipeline) {
        const std::int64_t samples = sink.audioSamplesDone();
        if (m_h.callbacks.audio && samples > m_audioReported) {
            m_h.callbacks.audio(m_h, m_audioReported, int(samples - m_audioReported));
            m_audioReported = samples;
        }
        report(MclStatus::Frame, pipeline.framesWritten(), samples, 0);
    }

    MclEncoder& m_h;
    OutputPlan m_plan;
    std::int64_t m_audioReported = 0;
};

}  // namespace

bool runConversion(MclEncoder& h) {
    if (h.converting) {
        h.error = MclError::Settings;
        h.errorText = QStringLiteral("A conversion is already running on this encoder.");
        return false;
    }
    h.converting = true;
    struct Done {
        MclEncoder& h;
        ~Done() { h.converting = false; }  // also when a callback throws
    } done{h};
    const bool ok = Conversion(h).run();
    return ok;
}

}  // namespace orvane
