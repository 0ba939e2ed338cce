// Program entry: the application, the four windows in their order, the loop.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "About.h"
#include "Doruruve.h"
#include "Help.h"
#include "Unit2.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("kelvo");
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
