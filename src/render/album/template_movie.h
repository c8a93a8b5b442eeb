#pragma once
// Loading a template movie into a FlashPlayer the way the album build and
// the previews do: set "xc_alpha" to "0", check the signature variable
// "l_x_z_f_c", and see whether the movie reported "picture_0" (its
// transition picture is in place). Our player delivers frame 0's FSCommands
// inside Movie(), so a movie that has not reported "picture_0" when Movie()
// returns never will: there is nothing to wait for.
//
// Functions only; the player is used from the caller's thread.

#include <QString>
#include <filesystem>

#include "base/error.h"

namespace orvane {

class FlashPlayer;

inline const QString kTemplateSignatureVariable = QStringLiteral("l_x_z_f_c");
inline const QString kTemplateSignatureValue = QStringLiteral("l_x_z_f_c_s_y_w_j");

struct TemplateMovieStatus {
    int frames = 0;
    bool signature = false;        // "l_x_z_f_c" holds "l_x_z_f_c_s_y_w_j"
    bool pictureReported = false;  // the FSCommand "picture_0" arrived
};

// Loads `movie` into `player` (replacing its FSCommand handler) and reports
// what it found. Fails only when the file cannot be loaded as a movie.
Result<TemplateMovieStatus> loadTemplateMovie(FlashPlayer& player,
                                              const std::filesystem::path& movie);

// loadTemplateMovie, failing also for a movie that breaks the template
// protocol (no signature, no "picture_0") or has no frames; the message
// says why. Returns the frame count.
Result<int> openTemplateMovie(FlashPlayer& player, const std::filesystem::path& movie);

}  // namespace orvane
