#pragma once
// Where an album build writes: a file in a folder that exists and can be
// written, or a new picture-sequence folder whose pictures go to a
// temporary folder put in place when the album is complete (the encoder
// itself writes a file under a temporary name and renames it). From open()
// until the build ends, the output is noted in the working folder, so that
// the next start cleans up after a run that was killed while it wrote.
// One thread at a time.

#include <QString>
#include <optional>

#include "base/error.h"
#include "base/working_folder.h"
#include "render/mcl/image_sequence_folder.h"

namespace orvane {

class AlbumOutput {
   public:
    // `path`: the output file, or for a picture sequence (`sequenceFormat`
    // set: "JPG", "BMP", "TGA" or "PCX") the folder to create, which
    // replaces an earlier sequence there when `replaceExisting`.
    AlbumOutput(const WorkingFolder& folder, QString path, std::optional<QString> sequenceFormat,
                bool replaceExisting);
    ~AlbumOutput();  // forgets the note
    AlbumOutput(const AlbumOutput&) = delete;
    AlbumOutput& operator=(const AlbumOutput&) = delete;

    // A file: fails, naming the folder, when its folder is missing or cannot
    // be written. A sequence: creates its temporary folder, or fails as
    // ImageSequenceFolder::create() does.
    Result<void> open();
    // The file the encoder writes: the output file, or the sequence's first
    // temporary picture.
    const QString& encoderPath() const { return m_encoderPath; }

    // The album is complete: puts a sequence in place. Returns the album's
    // path: the file, or the sequence's first picture.
    Result<QString> commit();
    // The build failed or was stopped: removes the sequence's pictures.
    void discard();
    // Whether a file or folder of the output's name was replaced (after commit()).
    bool replacedExisting() const;

   private:
    const WorkingFolder& m_folder;
    QString m_path;
    std::optional<ImageSequenceFolder> m_sequence;
    QString m_encoderPath;
    bool m_noted = false;
    bool m_fileThere = false;
};

}  // namespace orvane
