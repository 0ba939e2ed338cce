// Writes the program's icon as PNG files of the usual sizes into a folder,
// at build time, for the desktop entry: kelvo_icons FOLDER.
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "Icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: kelvo_icons FOLDER\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = QString("%1/kelvo-%2.png").arg(argv[1]).arg(size);
        if (!ProgramPicture(size, size).save(path, "PNG")) {
            std::fprintf(stderr, "kelvo_icons: cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
