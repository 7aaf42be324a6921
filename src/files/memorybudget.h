#pragma once

#include <QString>
#include <QtGlobal>

// What holding a file costs at the peak of its load, per byte of the file: the bytes read, their
// text, the text split at its breaks, the text area's own copy and the layout of the longest line.
// Measured as peak resident memory: 8 bytes a byte for 16 MiB of 80-character lines, 41 for one
// line of 4 MiB, whose glyphs are all laid out at once; the worst case, with room to spare.
inline constexpr qint64 LoadCostPerFileByte = 48;

// Whether a file of the given size can be loaded without running out of memory.
bool FileFitsInMemory(qint64 fileSize);

// The memory the control groups leave the process, or the largest qint64 when none limits it: the
// least room, limit less use, of its memory group and of every parent up to the root, in version 1
// (the "memory" hierarchy, mounted at root/memory) and in version 2 (the unified hierarchy, at root
// or at root/unified). membership is the process's list of groups, as /proc/self/cgroup.
qint64 ControlGroupRoom(const QString &root, const QString &membership);
