#pragma once
// The output folder of a picture sequence: the user names a folder that must
// not exist yet; it is created with its missing parents, and the encoder is
// given the name of the first picture in it ("<folder>/01.JPG").

#include <QString>

#include "app/error.h"

namespace orvane {

// "JPG", "BMP", "TGA" or "PCX" (any case).
bool isImageSequenceFormat(const QString& format);

// Creates `folder` and returns the first picture's path, folder + "/01." +
// format. An existing folder (or file) of that name fails with
// "输入的文件名存在, 请更换保存的文件名！"; a folder that cannot be created
// fails with a message naming it.
Result<QString> prepareImageSequenceFolder(const QString& folder, const QString& format);

}  // namespace orvane
