#pragma once

namespace orvane {

// Starts the windows: takes the single-instance guard (a second start ends at
// once with status 0), builds the catalogue, cleans the working folder and
// runs the main window until it closes.
int runGui(int argc, char** argv);

}  // namespace orvane
