#pragma once
// The name ".NAME.NNNNNN.part" an output (a video file, the folder of a
// picture sequence) is written under beside its final name NAME until it is
// complete, and the removal of such a temporary output once a run that made
// it is gone. Any thread may call these.

#include <QString>
#include <filesystem>
#include <string>

namespace orvane {

// ".NAME.NNNNNN.part" for the final name NAME (no folder) and a number
// below 1 000 000.
QString temporaryOutputName(const QString& finalName, int number);

// True when `entry` (a name, no folder) is a temporary name of `finalName`.
bool isTemporaryOutputOf(const std::string& entry, const std::string& finalName);

// Removes the temporary output at `path`: a regular file, or a folder with
// the files and links in it. Links are removed, never followed; a folder
// holding anything else (a subfolder) is left whole. Failures are ignored.
void removeTemporaryOutput(const std::filesystem::path& path);

}  // namespace orvane
