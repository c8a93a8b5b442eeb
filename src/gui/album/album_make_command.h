#pragma once
// A make command of the main window ("VCD", "SVCD", "DVD", "AVI", "MP4", "序列图"),
// from its preconditions to the finished album: no photos → the message;
// the output size window; the save dialog (a picture sequence names a new
// folder); the lyric type when songs, LRC and karaoke lyrics are all there;
// then the make-album window. Every refusal and failure goes to the message
// window; a stop is not reported again. GUI thread.

#include <QString>

#include "gui/shell/commands.h"

namespace orvane {

class Session;
class WindowSet;

void runMakeCommand(Session& session, WindowSet& windows, const QString& outputType);

// The output type a make command makes: "VCD", "SVCD", "DVD", "AVI", "MP4",
// and "XLTP" for "序列图"; empty for any other command.
QString makeCommandOutputType(CommandId id);

// Each make command runs the make of its type.
void connectMakeCommands(Session& session, WindowSet& windows);

}  // namespace orvane
