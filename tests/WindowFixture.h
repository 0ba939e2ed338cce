// A main window with its three companions, reading a site file, a horizon
// file and the shipped terms files from a scratch folder (the working
// directory stays as it is), read by a fixed clock.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>

#include "About.h"
#include "Doruruve.h"
#include "Help.h"
#include "TermsFiles.h"
#include "Unit2.h"

using namespace kelvo;

class WindowTest : public ::testing::Test {
protected:
    // Site 15 E 50 N 500 m on MEZ; a flat horizon at 0 deg unless a test
    // writes its own before calling Open().
    void SetUp() override {
        // This computer's clock runs on MEZ (UT+1, no summer time), as the
        // site file says, unless a test sets another zone.
        SetComputerZone("MEZ-1");
        Write("kelvo.cfg", "Tarnwick\n500\n-15\n50\n-1\n");
        std::string horizon;
        for (int i = 0; i < 360; ++i) horizon += "0\n";
        Write("horizon.prn", horizon);
        for (const char* f : {"PLANETS.NDX", "PLANETS.DAT"})
            std::filesystem::copy_file(std::filesystem::path(KELVO_DATA_DIR) / f, dir_.path() / f);
    }

    // The computer's time zone as a POSIX TZ value.
    static void SetComputerZone(const char* zone) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }

    // A file in the scratch folder.
    std::filesystem::path File(const std::string& name) const { return dir_.path() / name; }
    void Write(const std::string& name, const std::string& bytes) { WriteFile(File(name), bytes); }

    void Open() {
        form_ = std::make_unique<TForm1>(InFolder(dir_.path().string()));
        Form1 = form_.get();
        about_ = std::make_unique<TAboutBox>(form_.get());
        AboutBox = about_.get();
        help_ = std::make_unique<THelpForm>();
        HelpForm = help_.get();
        manual_ = std::make_unique<TManual>(form_.get());
        Manual = manual_.get();
        form_->Timer1->stop();  // the tests drive the ticks
        form_->Clock = [this] { return clock; };
        form_->ShowMessage = [this](const QString& text) { messages.push_back(text); };
        form_->Beep = [this] { ++beeps; };
    }

    void TearDown() override {
        Manual = nullptr;
        HelpForm = nullptr;
        AboutBox = nullptr;
        Form1 = nullptr;
        manual_.reset();
        help_.reset();
        about_.reset();
        form_.reset();
        ::unsetenv("TZ");
        ::tzset();
    }

    // Runs ticks until the next update has run (the 91st tick from start).
    void Update() {
        while (form_->State.TickCount != 90) form_->Timer1Timer();
        form_->Timer1Timer();
    }
    // An update at the next second of the clock.
    void NextSecond() {
        clock.Second = static_cast<std::uint16_t>((clock.Second + 1) % 60);
        Update();
    }

    TForm1& form() { return *form_; }
    // A real mouse click on line row of the table (the window is shown for it).
    void ClickLine(int row) {
        if (!form_->isVisible()) {
            form_->show();
            QCoreApplication::processEvents();
        }
        QListWidget* list = form_->ListBox1;
        list->scrollToItem(list->item(row));
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    QColor Pixel(int x, int y) { return form_->PaintBox1->canvas().Pixel(x, y); }

    ClockReading clock{2009, 5, 10, 21, 13, 7, 0};
    std::vector<QString> messages;
    int beeps = 0;
    ScratchDir dir_{"kelvo-window"};

private:
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<TAboutBox> about_;
    std::unique_ptr<THelpForm> help_;
    std::unique_ptr<TManual> manual_;
};

// Runs the manual dialog through FixstarClick; inside() acts while it is open.
// Fails when the dialog never opens (the timer dies with this function, so
// inside() never runs later either).
template <typename F>
inline void WithManualDialog(TForm1& form, F inside) {
    bool opened = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!Manual->isVisible()) return;
        opened = true;
        inside();
        if (Manual->isVisible()) Manual->BitBtn1->click();
    });
    timer.start(0);
    form.FixstarClick();
    EXPECT_TRUE(opened) << "the manual coordinates dialog did not open";
}

inline const QColor kNavy(0, 0, 128);
inline const QColor kGreen(0, 128, 0);
inline const QColor kLime(0, 255, 0);
inline const QColor kYellow(255, 255, 0);
inline const QColor kRed(255, 0, 0);
