#pragma once
// A make command of the main window ("VCD", "SVCD", "DVD", "AVI", "MP4", "序列图"),
// from its preconditions to the finished album: no photos → the message;
// the output size window; the save dialog (a picture sequence names a new
// folder); the lyric type when songs, LRC and karaoke lyrics are all there;
// then the make-album window. Every refusal and failure goes to the message
// window; a stop is not reported again. GUI thread.

#include <optional>

#include "base/album_settings.h"
#include "gui/shell/commands.h"

namespace orvane {

class Session;
class WindowSet;

void runMakeCommand(Session& session, WindowSet& windows, OutputType outputType);

// The output type a make command makes ("序列图": a picture sequence);
// nothing for any other command.
std::optional<OutputType> makeCommandOutputType(CommandId id);

// Each make command runs the make of its type.
void connectMakeCommands(Session& session, WindowSet& windows);

}  // namespace orvane
