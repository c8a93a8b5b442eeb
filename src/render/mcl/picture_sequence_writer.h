#pragma once
// Writes the album as numbered pictures, one per album frame, in the folder
// of the first picture's name: 01, 02, … 99, 100, … with that name's
// extension (".jpg", ".bmp", ".tga" or ".pcx", its case kept), encoded with
// FFmpeg's image encoders (mjpeg, bmp, targa, pcx). Each picture appears
// under its name only when complete; discard() removes every picture written.

#include <QStringList>

#include "av/ffmpeg_handles.h"
#include "render/mcl/frame_sink.h"
#include "render/mcl/output_plan.h"
#include "render/mcl/picture_converter.h"

namespace orvane {

class PictureSequenceWriter : public FrameSink {
   public:
    explicit PictureSequenceWriter(OutputPlan plan);
    ~PictureSequenceWriter() override;

    Result<void> open() override;
    Result<void> writeFrame(const QImage& frame) override;
    Result<void> finish() override;
    void discard() override;

    // The name of picture `number` (1-based) of a sequence whose first
    // picture is `firstPicture`: "<folder>/07.JPG".
    static QString pictureName(const QString& firstPicture, int number);

   private:
    Result<void> writeReadyPictures();
    Result<void> writePicture(const QString& path, const uint8_t* data, size_t size);
    std::unexpected<UserError> pictureError(const QString& what, const QString& path,
                                            int code) const;

    OutputPlan m_plan;
    av::CodecContextPtr m_codec;
    av::FramePtr m_frame;
    av::PacketPtr m_packet;
    PictureConverter m_converter;
    QStringList m_written;
    std::int64_t m_framesSent = 0;
    bool m_finished = false;
};

}  // namespace orvane
