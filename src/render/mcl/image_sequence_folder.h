#pragma once
// The output folder of a picture sequence. The user names a folder that must
// not exist yet; its missing parents are created, and the pictures are
// written into a temporary folder ".NAME.NNNNNN.part" beside it, renamed to
// the folder's name only when the sequence is complete. So a stopped, failed
// or killed run never leaves a half-filled folder under the user's name (the
// album build notes the folder in the working folder's output journal, and
// the next start removes what a killed run left). One thread at a time.
//
// An existing folder is replaced only when asked to and only when it holds
// nothing but an earlier picture sequence (numbered pictures, no
// subfolders), so a folder of the user's own files is never emptied; the
// new folder takes its place in one exchange once complete, and the old one
// is removed after.

#include <QString>

#include "base/error.h"

namespace orvane {

// "JPG", "BMP", "TGA" or "PCX" (any case).
bool isImageSequenceFormat(const QString& format);

// Whether `folder` is a real folder (not a link) holding nothing but the
// numbered pictures of a sequence ("01.JPG", "170.bmp"), or nothing.
bool isReplaceableSequenceFolder(const QString& folder);

class ImageSequenceFolder {
   public:
    // With `replaceExisting`, a replaceable folder of that name is replaced
    // at commit().
    ImageSequenceFolder(QString folder, QString format, bool replaceExisting = false);
    ~ImageSequenceFolder();  // removes the temporary folder unless committed
    ImageSequenceFolder(const ImageSequenceFolder&) = delete;
    ImageSequenceFolder& operator=(const ImageSequenceFolder&) = delete;

    // Creates the missing parents and the temporary folder. An existing
    // folder (or file) of the folder's name fails with
    // "输入的文件名存在, 请更换保存的文件名！" unless it is to be replaced
    // and replaceable; a folder that cannot be created fails with a message
    // naming it.
    Result<void> create();

    const QString& folder() const { return m_folder; }
    const QString& temporaryFolder() const { return m_temporaryFolder; }
    // Where the encoder writes the first picture: temporaryFolder() + "/01." + format.
    QString temporaryFirstPicture() const;
    // The first picture once committed: folder() + "/01." + format.
    QString firstPicture() const;

    // Renames the temporary folder to the folder's name. Fails, naming the
    // folder, when something took that name meanwhile (or, when replacing,
    // the folder there is no longer replaceable); that is left alone.
    Result<void> commit();
    // Whether commit() put the pictures in place of an earlier folder.
    bool replacedExisting() const { return m_replaced; }
    // Removes the temporary folder with the pictures in it.
    void remove();

   private:
    QString m_folder;
    QString m_format;
    QString m_temporaryFolder;
    bool m_replaceExisting = false;
    bool m_committed = false;
    bool m_replaced = false;
};

}  // namespace orvane
