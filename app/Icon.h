// The program's picture: a radio dish under the night sky, drawn here.
#pragma once

#include <QIcon>
#include <QPixmap>

QPixmap ProgramPicture(int width, int height);
QIcon ProgramIcon();
