#pragma once
// The player's side effects, behind small interfaces so that tests can
// replace them: loading an external picture for loadMovie, and delivering
// the movie's FSCommand messages to the host.

#include <QImage>
#include <QString>
#include <memory>

#include "base/error.h"

namespace orvane::swf {

class PictureLoader {
   public:
    virtual ~PictureLoader() = default;
    // The picture at `url` as the movie wrote it (relative URLs are the
    // loader's business). The error message names the file.
    virtual Result<std::shared_ptr<const QImage>> loadPicture(const QString& url) = 0;
};

class FsCommandSink {
   public:
    virtual ~FsCommandSink() = default;
    virtual void fsCommand(const QString& command, const QString& args) = 0;
};

class NullPictureLoader : public PictureLoader {
   public:
    Result<std::shared_ptr<const QImage>> loadPicture(const QString& url) override {
        return fail(QStringLiteral("no pictures can be loaded here (%1)").arg(url));
    }
};

class NullFsCommandSink : public FsCommandSink {
   public:
    void fsCommand(const QString&, const QString&) override {}
};

}  // namespace orvane::swf
