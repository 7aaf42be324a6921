#pragma once

#include <QString>
#include <functional>

// The command line's argument text: every argument after the program's name, joined by single
// spaces, so a path with spaces needs no quotes and one argument is used exactly as given.
QString ArgumentText(int argc, char **argv);

// The folder that holds the program file, without a trailing separator unless it is the root.
QString ProgramDirectory();

// From now on keeps the memory of large buffers in the process once they are freed, for the next
// ones. Qt lays a paragraph out in buffers as large as the paragraph and takes them anew for every
// keystroke; each would otherwise be mapped fresh from the system and zero-filled page by page,
// which costs more than half of a keystroke in a line of a megabyte. It is not done from the
// start: the many large blocks that start-up takes zeroed would then cost their zeroing.
void ReuseLargeBuffers();

// Gives the memory freed so far back to the system, large buffers kept for reuse included: for
// when a big text has gone and its memory would otherwise wait for another as big.
void GiveBackFreedMemory();

// Ends the program on the spot: the main window goes without a close request, nothing is saved.
void EndProgramAtOnce();

// Tests replace the ending with their own; returns the handler installed before.
using EndProgramHandler = std::function<void()>;
EndProgramHandler SetEndProgramHandler(EndProgramHandler handler);
