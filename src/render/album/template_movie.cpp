#include "render/album/template_movie.h"

#include "render/swf/flash_player.h"

namespace orvane {

Result<TemplateMovieStatus> loadTemplateMovie(FlashPlayer& player,
                                              const std::filesystem::path& movie) {
    TemplateMovieStatus status;
    player.setFsCommandHandler([&status](const QString& command, const QString&) {
        if (command == QStringLiteral("picture_0")) status.pictureReported = true;
    });
    auto loaded = player.Movie(movie);
    player.setFsCommandHandler({});
    if (!loaded) return std::unexpected(loaded.error());
    player.SetVariable(QStringLiteral("xc_alpha"), QStringLiteral("0"));
    status.signature = player.GetVariable(kTemplateSignatureVariable) == kTemplateSignatureValue;
    player.Stop();
    const auto frames = player.TotalFrames();
    status.frames = frames ? *frames : 0;
    return status;
}

Result<int> openTemplateMovie(FlashPlayer& player, const std::filesystem::path& movie) {
    auto status = loadTemplateMovie(player, movie);
    if (!status) return std::unexpected(status.error());
    if (!status->signature) return fail(QStringLiteral("not a template movie of this program"));
    if (!status->pictureReported)
        return fail(QStringLiteral("the movie did not report \"picture_0\" when it was loaded"));
    if (status->frames <= 0) return fail(QStringLiteral("the movie has no frames"));
    return status->frames;
}

}  // namespace orvane
