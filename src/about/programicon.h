#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, drawn in code: one picture in 32 x 32 and 16 x 16, 16 colours each.
QImage ProgramIconImage(int size);
QIcon ProgramIcon();
