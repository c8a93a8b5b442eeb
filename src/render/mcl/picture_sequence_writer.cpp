#include "render/mcl/picture_sequence_writer.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "render/mcl/temporary_output.h"

namespace orvane {

PictureSequenceWriter::PictureSequenceWriter(OutputPlan plan)
    : m_plan(std::move(plan)), m_frame(av_frame_alloc()), m_packet(av_packet_alloc()) {}

PictureSequenceWriter::~PictureSequenceWriter() {
    if (!m_finished) discard();
}

QString PictureSequenceWriter::pictureName(const QString& firstPicture, int number) {
    const QFileInfo info(firstPicture);
    return info.path() + QLatin1Char('/') +
           QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')) + QLatin1Char('.') +
           info.suffix();
}

std::unexpected<UserError> PictureSequenceWriter::pictureError(const QString& what,
                                                               const QString& path,
                                                               int code) const {
    return fail(
        QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path), av::errorText(code)));
}

Result<void> PictureSequenceWriter::open() {
    const QString folder = QFileInfo(m_plan.path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("The folder %1 does not exist; the pictures cannot be written.")
                        .arg(QDir::toNativeSeparators(folder)));
    const AVCodec* codec = avcodec_find_encoder(m_plan.pictureCodec);
    if (!codec)
        return pictureError(QStringLiteral("No picture encoder is installed for"), m_plan.path,
                            AVERROR_ENCODER_NOT_FOUND);
    m_codec.reset(avcodec_alloc_context3(codec));
    AVCodecContext* c = m_codec.get();
    c->width = m_plan.width;
    c->height = m_plan.height;
    c->time_base = AVRational{1, kAlbumFramesPerSecond};
    switch (m_plan.pictureCodec) {
        case AV_CODEC_ID_MJPEG:
            c->pix_fmt = AV_PIX_FMT_YUVJ420P;
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * m_plan.jpegQscale;
            break;
        case AV_CODEC_ID_PCX:
            c->pix_fmt = AV_PIX_FMT_RGB24;
            break;
        default:  // BMP, TGA
            c->pix_fmt = AV_PIX_FMT_BGR24;
            break;
    }
    c->thread_count = 0;
    if (int rc = avcodec_open2(c, codec, nullptr); rc < 0)
        return pictureError(QStringLiteral("Cannot open the picture encoder for"), m_plan.path, rc);
    m_frame->format = c->pix_fmt;
    m_frame->width = c->width;
    m_frame->height = c->height;
    if (int rc = av_frame_get_buffer(m_frame.get(), 0); rc < 0)
        return pictureError(QStringLiteral("Cannot set up"), m_plan.path, rc);
    return m_converter.open(c->width, c->height, c->pix_fmt);
}

Result<void> PictureSequenceWriter::writeFrame(const QImage& image) {
    const QString path = pictureName(m_plan.path, int(m_framesSent) + 1);
    AVFrame* frame = m_frame.get();
    if (int rc = av_frame_make_writable(frame); rc < 0)
        return pictureError(QStringLiteral("Cannot encode"), path, rc);
    if (auto converted = m_converter.convert(image, frame); !converted) return converted;
    frame->pts = m_framesSent++;
    frame->quality = m_codec->global_quality;
    if (int rc = avcodec_send_frame(m_codec.get(), frame); rc < 0)
        return pictureError(QStringLiteral("Cannot encode"), path, rc);
    return writeReadyPictures();
}

Result<void> PictureSequenceWriter::writeReadyPictures() {
    // Encoders with frame threads hand pictures back a few frames later.
    for (;;) {
        const QString path = pictureName(m_plan.path, int(m_written.size()) + 1);
        int rc = avcodec_receive_packet(m_codec.get(), m_packet.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return {};
        if (rc < 0) return pictureError(QStringLiteral("Cannot encode"), path, rc);
        auto written = writePicture(path, m_packet->data, size_t(m_packet->size));
        av_packet_unref(m_packet.get());
        if (!written) return written;
        m_written.append(path);
    }
}

// One picture, complete under its name or not there at all.
Result<void> PictureSequenceWriter::writePicture(const QString& path, const uint8_t* data,
                                                 size_t size) {
    TemporaryOutput output(path);
    if (auto created = output.create(); !created) return created;
    QFile file(output.temporaryPath());
    int error = 0;
    if (file.open(QIODevice::WriteOnly)) {
        const int fd = file.handle();
        while (size > 0) {
            const ssize_t done = ::write(fd, data, size);
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) {
                error = done < 0 ? errno : ENOSPC;
                break;
            }
            data += done;
            size -= size_t(done);
        }
        file.close();
    } else {
        error = EACCES;
    }
    if (error)
        return fail(
            QStringLiteral("Cannot write %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
    return output.commit();
}

Result<void> PictureSequenceWriter::finish() {
    if (int rc = avcodec_send_frame(m_codec.get(), nullptr); rc < 0)
        return pictureError(QStringLiteral("Cannot encode"), m_plan.path, rc);
    if (auto written = writeReadyPictures(); !written) return written;
    m_finished = true;
    return {};
}

void PictureSequenceWriter::discard() {
    for (const QString& path : std::as_const(m_written)) QFile::remove(path);
    m_written.clear();
}

}  // namespace orvane
