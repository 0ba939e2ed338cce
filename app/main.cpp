// Program entry: --help and --version, then the application, the four
// windows in their order, the loop.
#include <QApplication>
#include <QMessageBox>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

#include "About.h"
#include "Doruruve.h"
#include "Help.h"
#include "Unit2.h"

namespace {

const char* const kUsage =
    "Usage: kelvo [--help | --version]\n"
    "\n"
    "Pointing aid for a small radio-astronomy station: once a second the date,\n"
    "local and sidereal time, Julian Date and the azimuth, elevation, right\n"
    "ascension and declination of one source, with a chart of its day.\n"
    "\n"
    "Reads kelvo.cfg, horizon.prn, PLANETS.NDX and PLANETS.DAT from the working\n"
    "directory; an installed kelvo looks for a file missing there in\n"
    "$XDG_CONFIG_HOME/kelvo (by default ~/.config/kelvo) and in its\n"
    "share/kelvo folder. Ticking Track reads rotator.cfg and drives the\n"
    "antenna rotator through Hamlib. See also kelvo-ephem(1).\n";

int Unknown(const char* argument) {
    std::fprintf(stderr, "kelvo: unknown option \"%.40s\" (kelvo takes --help and --version)\n",
                 argument);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Before any window: these need no display. Single-dash options are the
    // toolkit's own (-platform, -display, ...).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("kelvo " KELVO_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
        }
        if (argv[i][0] != '-' || argv[i][1] == '-') return Unknown(argv[i]);
    }
    QApplication application(argc, argv);  // takes Qt's own options away
    application.setApplicationName("kelvo");
    application.setApplicationVersion(KELVO_VERSION);
    if (argc > 1) return Unknown(argv[1]);
    // Ctrl+C and SIGTERM end the program as Exit does (a tracked rotator is
    // stopped first).
    std::signal(SIGINT, [](int) { EndRequested = 1; });
    std::signal(SIGTERM, [](int) { EndRequested = 1; });
    try {
        TForm1 form1;
        Form1 = &form1;
        TAboutBox aboutBox(&form1);
        AboutBox = &aboutBox;
        THelpForm helpForm;
        HelpForm = &helpForm;
        TManual manual(&form1);
        Manual = &manual;
        form1.show();
        application.exec();  // until the main window closes
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "kelvo", QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
