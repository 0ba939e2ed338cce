// What the window shows when its files or the typed input are bad: problems
// an observer cannot miss, no numbers for a place that could not be
// computed, and nothing that blocks the update cycle.
#include <sys/resource.h>

#include <QImageReader>
#include <csignal>
#include <fstream>

#include "Pixels.h"
#include "Track.h"
#include "Units.h"
#include "WindowFixture.h"

namespace {

QStringList ListedProblems() {
    QStringList lines;
    for (int i = 0; i < Form1->ProblemList->ListBox1->count(); ++i)
        lines << Form1->ProblemList->ListBox1->item(i)->text();
    return lines;
}

}  // namespace

TEST_F(WindowTest, GoodFilesShowNoProblem) {
    Open();
    Update();
    EXPECT_TRUE(form().Problems().empty());
    // The tooltip names the site file in use, and nothing else.
    EXPECT_EQ(form().Label9->toolTip(),
              "Site file: " + QString::fromStdString(File("kelvo.cfg").string()));
    EXPECT_NE(form().Label9->palette().color(QPalette::WindowText), QColor(Qt::red));
    form().show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form().ProblemList->isVisible());
}

TEST_F(WindowTest, NoDataFilesAtAll) {
    for (const char* f : {"kelvo.cfg", "horizon.prn", "PLANETS.NDX", "PLANETS.DAT"})
        std::filesystem::remove(File(f));
    Open();
    form().show();
    QCoreApplication::processEvents();
    Update();
    // The site files: red label, tooltip and the list beside the window.
    EXPECT_EQ(form().Label9->palette().color(QPalette::WindowText), QColor(Qt::red));
    const QStringList problems = ListedProblems();
    ASSERT_EQ(problems.size(), 3) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems[0].contains("horizon.prn: cannot be read (No such file or directory)"));
    EXPECT_TRUE(problems[1].contains("kelvo.cfg: cannot be read"));
    EXPECT_TRUE(problems[2].contains("means UT, but this computer's clock runs on UT+1"));
    EXPECT_TRUE(form().Label9->toolTip().contains("kelvo.cfg: cannot be read"));
    EXPECT_TRUE(form().ProblemList->isVisible());
    // The Sun: no numbers, no track, no table; the readouts say why.
    EXPECT_EQ(form().Label4->text(), "AZI/ELE: terms missing");
    EXPECT_EQ(form().Label6->text(), "RA/DEC: no PLANETS.NDX/DAT");
    EXPECT_EQ(form().Label6->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(form().Label4->toolTip().contains("PLANETS.NDX: cannot be opened"));
    EXPECT_EQ(form().ListBox1->count(), 0);
    EXPECT_EQ(CountPixels(form().PaintBox1->canvas().Image(), kLime), 0);
    EXPECT_TRUE(form().Label3->text().startsWith("LST= "));  // time needs no terms
    // The update cycle ran on with the list open; the Moon still works.
    form().Moon->trigger();
    NextSecond();
    EXPECT_TRUE(form().Label4->text().startsWith("AZI="));
    EXPECT_FALSE(form().Label6->toolTip().contains("cannot be opened"));
    EXPECT_TRUE(form().Label6->toolTip().startsWith("Galactic l="));  // the Moon's place
    EXPECT_NE(form().Label6->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form().ListBox1->count(), 49);
}

TEST_F(WindowTest, BrokenSiteFileIsListedWithItsLines) {
    Write("kelvo.cfg", "Tarnwick\n117,7\n-15\n95\nMEZ\n");
    Open();
    const QStringList problems = ListedProblems();
    ASSERT_EQ(problems.size(), 4) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems[0].endsWith("kelvo.cfg line 2: (height) \"117,7\" is more than a number: "
                                     "read as 117 m"));
    EXPECT_TRUE(problems[1].contains("line 4: (latitude) 95 degrees is beyond +-90"));
    EXPECT_TRUE(problems[2].contains("line 5: (zone code) \"MEZ\" is no number: read as 0"));
    EXPECT_TRUE(problems[3].contains("means UT, but this computer's clock runs on UT+1"));
    EXPECT_EQ(form().State.SiteHeight, 117.0);  // the values the reading rules give
    EXPECT_EQ(form().Label9->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(WindowTest, ComputerOnAnotherZoneIsSaid) {
    SetComputerZone("EST5EDT");  // New York: UT-5 or UT-4
    Open();
    const QStringList problems = ListedProblems();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("(zone code) -1 means UT+1, but this computer's clock runs "
                                     "on UT-"))
        << problems[0].toStdString();
    EXPECT_TRUE(form().Label9->toolTip().contains("every position is off by the difference"));
}

TEST_F(WindowTest, Utf8SiteName) {
    Write("kelvo.cfg", "Z\xC3\xBCrich\n408\n-8.5\n47.4\n-1\n");
    Open();
    EXPECT_EQ(form().Label9->text(), QString::fromUtf8("Location: Z\xC3\xBCrich"));
}

TEST_F(WindowTest, Latin1SiteName) {
    Write("kelvo.cfg", "Z\xFCrich\n408\n-8.5\n47.4\n-1\n");
    Open();
    EXPECT_EQ(form().Label9->text(), QString::fromUtf8("Location: Z\xC3\xBCrich"));
}

TEST_F(WindowTest, NewDayRedrawsTrackAndTable) {
    Open();
    form().Moon->trigger();
    clock = {2009, 5, 10, 23, 59, 58, 0};
    Update();
    const QString before = form().ListBox1->item(0)->text();
    clock = {2009, 5, 11, 0, 0, 1, 0};  // past midnight: no menu command in between
    Update();
    EXPECT_FALSE(form().State.RedrawPending);
    EXPECT_NE(form().ListBox1->item(0)->text(), before);  // the Moon's 00.0h of the new day
    ObservationState s = form().State;
    std::string first;
    for (const TrackPoint& p : ComputeTrack(s, clock))
        if (p.Tabulated) {
            first = p.Line;
            break;
        }
    EXPECT_EQ(form().ListBox1->item(0)->text(), QString::fromLatin1(first));
}


TEST_F(WindowTest, ManualDialogKeepsTheLastValidValue) {
    Open();
    WithManualDialog(form(), [&] {
        Manual->Edit2->setText("45");
        EXPECT_DOUBLE_EQ(form().State.SourceDec, 45 * kDeg);
        Manual->Edit2->setText("95");  // no such declination
        EXPECT_TRUE(Manual->Edit2->property("invalid").toBool());
        EXPECT_TRUE(Manual->Edit2->toolTip().contains("between -90 and +90"));
        EXPECT_DOUBLE_EQ(form().State.SourceDec, 45 * kDeg);
        Manual->Edit2->setText("-30");  // corrected
        EXPECT_FALSE(Manual->Edit2->property("invalid").toBool());
        EXPECT_TRUE(Manual->Edit2->toolTip().isEmpty());
        Manual->Edit1->setText("10");
        Manual->Edit1->setText(QString(38, '9') + "9");  // 39 nines: a number, and in range
        EXPECT_FALSE(Manual->Edit1->property("invalid").toBool());
        Manual->Edit1->setText("1e999");  // beyond the double range: not read as 0
        EXPECT_TRUE(Manual->Edit1->property("invalid").toBool());
    });
    EXPECT_DOUBLE_EQ(form().State.SourceDec, -30 * kDeg);
    EXPECT_DOUBLE_EQ(form().State.SourceRa, 999999999999999999999999999999999999999.0 * kDeg);
}

TEST_F(WindowTest, ExportOnAFullDiskLeavesNoPartialFileAndSaysWhy) {
    Open();
    form().show();
    QCoreApplication::processEvents();
    Update();
    const QString target = QString::fromStdString(File("GRB4711.bmp").string());
    Write("GRB4711.bmp", "the old picture");
    form().SaveDialog1.Prompt = [&](const TSaveDialog&) { return std::optional<QString>(target); };
    // A file size limit of 16 KB stands for a disk that runs full: writes
    // beyond it fail (the signal that would end the process is ignored).
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    form().Button7Click();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("Error: Bitmap saving\n")) << messages[0].toStdString();
    EXPECT_EQ(beeps, 0);
    // The old file as it was, and no temporary file left beside it.
    std::ifstream in(File("GRB4711.bmp"));
    std::string contents((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(contents, "the old picture");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        files += entry.path().filename().string().rfind("GRB4711", 0) == 0;
    EXPECT_EQ(files, 1);
    // With room again the export succeeds.
    form().Button7Click();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(QImageReader(target).format(), "bmp");
}

TEST_F(WindowTest, DoubleClickOpensTheSkyChartThatFollowsTheCycle) {
    Open();
    form().show();
    QCoreApplication::processEvents();
    form().CygnusA1->trigger();
    Update();
    EXPECT_TRUE(form().PaintBox1->toolTip().contains("Double-click"));
    QTest::mouseDClick(form().PaintBox1, Qt::LeftButton, {}, QPoint(90, 50));
    ASSERT_NE(form().SkyChart, nullptr);
    EXPECT_TRUE(form().SkyChart->isVisible());
    // Resizable; drawn at once at the new size.
    form().SkyChart->resize(900, 600);
    QCoreApplication::processEvents();
    const QImage& image = form().SkyChart->Chart->Image();
    EXPECT_EQ(image.size() / image.devicePixelRatio(), form().SkyChart->Chart->size());
    // A ring from the table shows on the large chart at the next update.
    ClickLine(10);
    NextSecond();
    EXPECT_GT(CountPixels(form().SkyChart->Chart->Image(), SkyChartColours::Event), 20);
    form().Button5Click();  // a redraw removes the rings there too
    NextSecond();
    EXPECT_LT(CountPixels(form().SkyChart->Chart->Image(), SkyChartColours::Event), 20);
    // Export from the window at the chosen size, PNG and SVG.
    form().SkyChart->ExportWidth->setValue(640);
    form().SkyChart->ExportHeight->setValue(400);
    QString asked;
    form().SkyChart->AskFileName = [&](const QString& filter) {
        asked = filter;
        return std::optional<QString>(QString::fromStdString(File("sky").string()));
    };
    std::vector<QString> errors;
    form().SkyChart->ShowError = [&](const QString& e) { errors.push_back(e); };
    form().SkyChart->SavePng->click();
    EXPECT_TRUE(asked.contains("png"));
    EXPECT_EQ(QImage(QString::fromStdString(File("sky.png").string())).size(), QSize(640, 400));
    form().SkyChart->Polar->click();
    form().SkyChart->SaveSvg->click();
    EXPECT_TRUE(std::filesystem::exists(File("sky.svg")));
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowTest, CatalogueSubmenuAfterTheEighteenEntries) {
    Write("sources.cat", "# mine\n3C 286, 13:31:08.29, +30:30:33.0, J2000, quasar\n"
                         "Broken, 25h, 10\nR&D, 10, 20\n");
    Open();
    const QList<QAction*> actions = form().Object->actions();
    ASSERT_EQ(actions.size(), 19);
    EXPECT_EQ(actions[17]->text(), "Fixstar = individual");  // the eighteen as ever
    ASSERT_NE(form().Catalogue, nullptr);
    EXPECT_EQ(actions[18]->menu(), form().Catalogue);
    const QList<QAction*> entries = form().Catalogue->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "3C 286  (quasar)");
    EXPECT_EQ(entries[1]->text(), "R&&D");
    entries[0]->trigger();
    EXPECT_EQ(form().State.Kind, SourceKind::Fixstar);
    EXPECT_STREQ(form().State.SourceName, "3C 286");
    EXPECT_NEAR(form().State.SourceRa / kDeg, 202.7845417, 1e-6);
    Update();
    EXPECT_EQ(form().Button3->text(), "Sourceobject: 3C 286");
    EXPECT_TRUE(form().Label6->toolTip().contains("Galactic l= 56.5"));
    // The bad line is listed with the site files' problems.
    const QStringList problems = ListedProblems();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("sources.cat line 3: right ascension \"25h\""));
}
