#pragma once
// What kind of program this process runs and where it runs, for the choice between standard
// output and a message box.

namespace launcher {

// True when this program was linked for the windows subsystem: it has no console of its own,
// so a start from Explorer or a shortcut has no standard output.
bool IsWindowedProgram();

// True when the process runs on the interactive window station, where a user can see and
// close a box. A service's window station is not.
bool OnInteractiveWindowStation();

}  // namespace launcher
