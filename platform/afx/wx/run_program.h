#pragma once
// Runs the program's application object with the real-window backend in place.
// Kept apart from main.cpp so that the toolkit's headers and the framework's never meet there.

namespace afx::wx {

// Needs a running wx application. Returns the process's exit status.
int RunProgram();

}  // namespace afx::wx
