// kelvo-ephem run as a program: the window's texts for the same state,
// JSON that parses, and one clear line with status 2 for each bad input.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "WindowFixture.h"

namespace {

struct EphemRun {
    int status;
    QString out, err;
};

// Runs kelvo-ephem in folder (the working directory of this process stays)
// on a computer whose clock runs on MEZ (UT+1, as the fixture's kelvo.cfg),
// unless zone names another POSIX time zone.
EphemRun Ephem(const std::filesystem::path& folder, const QStringList& args,
               const QString& zone = "MEZ-1") {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", zone);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(folder.string()));
    p.start(KELVO_EPHEM, args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

TEST_F(WindowTest, CommandLineShowsWhatTheWindowShows) {
    Open();
    form().CygnusA1->trigger();
    form().INC101->trigger();
    Update();  // readouts and a full redraw with the 121-line table
    const EphemRun r = Ephem(dir_.path(), {"--source", "cygnus a, distant galaxy", "--at",
                                           "2009-05-10 21:13:07", "--step", "12", "--table"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    // The ten readouts, for a fixed source its galactic place and LSR
    // correction (the RA/DEC readout's tooltip in the window), the table.
    ASSERT_EQ(lines.size(), 10 + 1 + 121);
    const QStringList window = {form().Label1->text(), form().Label2->text(),
                                form().Button1->text(), form().Button3->text(),
                                form().Label3->text(), form().Label5->text(),
                                form().Label4->text(), form().Label6->text(),
                                form().Label7->text(), form().Label8->text()};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(lines[i], window[i]) << i;
    EXPECT_TRUE(lines[10].startsWith("Galactic l= 76.19"));
    EXPECT_TRUE(form().Label6->toolTip().contains(lines[10]));
    for (int i = 0; i < 121; ++i) EXPECT_EQ(lines[11 + i], form().ListBox1->item(i)->text()) << i;
}

TEST_F(WindowTest, CommandLineJsonParsesAndCarriesFullPrecision) {
    const EphemRun r =
        Ephem(dir_.path(), {"--ra", "83.633", "--dec", "22.0145", "--name", "Crab", "--at",
                            "2024-02-29 23:59:59", "--zone", "UT", "--json", "--table", "--step",
                            "60"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    const QJsonObject o = doc.object();
    for (const char* key : {"julian_date", "lst_rad", "gha_hours", "azimuth_deg",
                            "elevation_deg", "ra_rad", "dec_rad"})
        EXPECT_TRUE(o.value(key).isDouble()) << key;
    EXPECT_TRUE(o.value("visible").isBool());
    EXPECT_NEAR(o.value("julian_date").toDouble(), 2460370.49999, 1e-5);
    EXPECT_NEAR(o.value("ra_rad").toDouble(), 83.633 * 3.141592653589793 / 180, 1e-15);
    EXPECT_EQ(o.value("readouts").toObject().value("source").toString(), "Sourceobject: Crab");
    const QJsonArray table = o.value("table").toArray();
    ASSERT_EQ(table.size(), 25);
    EXPECT_EQ(table[24].toObject().value("hours").toDouble(), 24.0);
    EXPECT_TRUE(table[0].toObject().value("line").toString().startsWith("00.0h a="));
    EXPECT_EQ(o.value("visible").toBool(), o.value("elevation_deg").toDouble() > 0);
}

TEST_F(WindowTest, CommandLineWithoutUsableTermsPrintsNothingAndExitsThree) {
    std::filesystem::remove(File("PLANETS.DAT"));
    for (const char* source : {"Mars", "Sun", "Pluto"}) {
        const EphemRun r = Ephem(dir_.path(), {"--source", source, "--json", "--table"});
        EXPECT_EQ(r.status, 3) << source;
        EXPECT_TRUE(r.out.isEmpty()) << source << ": " << r.out.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("PLANETS.DAT: cannot be opened (No such file or directory)"))
            << r.err.toStdString();
    }
    // The Moon and fixed sources need no terms.
    for (const char* source : {"Moon", "Cygn A"}) {
        const EphemRun r = Ephem(dir_.path(), {"--source", source, "--json"});
        EXPECT_EQ(r.status, 0) << source << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
}

struct BadInput {
    const char* name;
    QStringList args;
    const char* message;
};

class CommandLineErrors : public WindowTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(CommandLineErrors, ExitTwoWithOneLineAndNoOutput) {
    const BadInput& c = GetParam();
    const EphemRun r = Ephem(dir_.path(), c.args);
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_TRUE(r.out.isEmpty()) << c.name;
    EXPECT_EQ(r.err.count('\n'), 1) << c.name;
    EXPECT_LT(r.err.size(), 160) << c.name;  // readable: long arguments are cut
    EXPECT_TRUE(r.err.contains(c.message)) << c.name << ": " << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineErrors,
    ::testing::Values(
        BadInput{"unknown source", {"--source", "Vulcan"}, "unknown source \"Vulcan\""},
        BadInput{"malformed date", {"--at", "2009-13-10 21:13:07"}, "--at takes"},
        BadInput{"malformed time", {"--at", "2009-05-10 24:00:00"}, "--at takes"},
        BadInput{"no such day", {"--at", "2023-02-29 12:00:00"}, "--at takes"},
        BadInput{"date without time", {"--at", "2009-05-10"}, "--at takes"},
        BadInput{"bad step", {"--step", "15"}, "--step takes 60, 30, 12 or 6"},
        BadInput{"bad zone", {"--zone", "CET"}, "--zone takes"},
        BadInput{"zone out of range", {"--zone", "99"}, "--zone takes"},
        BadInput{"ra without dec", {"--ra", "10"}, "--ra and --dec go together"},
        BadInput{"ra not a number", {"--ra", "10q", "--dec", "5"}, "--ra \"10q\": not a right"},
        BadInput{"ra of 24 hours", {"--ra", "24:00:00", "--dec", "5"}, "below 24 hours"},
        BadInput{"minutes of 60", {"--ra", "5h60m", "--dec", "5"}, "not a right ascension"},
        BadInput{"dec not a number", {"--ra", "5h", "--dec", "north"}, "not a declination"},
        BadInput{"source and ra", {"--source", "Sun", "--ra", "1", "--dec", "2"}, "exclude"},
        BadInput{"missing value", {"--source"}, "--source needs a value"},
        BadInput{"unknown option", {"--verbose"}, "unknown option \"--verbose\""},
        BadInput{"declination beyond the pole", {"--ra", "10", "--dec", "91"},
                 "--dec \"91\": a declination lies between -90 and +90 degrees"},
        BadInput{"declination below the pole", {"--ra", "10", "--dec", "-90:30:00"},
                 "a declination lies between -90 and +90 degrees"},
        BadInput{"right ascension beyond the double range",
                 {"--ra", QString(400, '9'), "--dec", "5"},
                 "--ra \"9999999999999999999999999999999999999999...\": this number is beyond"},
        BadInput{"chart of another kind", {"--chart", "sky.bmp"}, "--chart takes a file name"},
        BadInput{"chart too small", {"--chart", "sky.png", "--width", "50"},
                 "--width takes whole pixels from 100 to 10000"},
        BadInput{"width without chart", {"--width", "800"}, "go with --chart"},
        BadInput{"one-digit hour", {"--at", "2026-12-11T9:00"}, "--at takes"},
        BadInput{"zone letter twice", {"--at", "2026-12-11T09:00ZZ"}, "--at takes"},
        BadInput{"range without its end", {"--from", "2026-12-11T00:00", "--every", "10m"},
                 "--from, --to and --every go together"},
        BadInput{"step without a unit",
                 {"--from", "2026-12-11T00:00", "--to", "2026-12-11T01:00", "--every", "10"},
                 "--every takes a positive duration"},
        BadInput{"negative step",
                 {"--from", "2026-12-11T00:00", "--to", "2026-12-11T01:00", "--every", "-5m"},
                 "--every takes"},
        BadInput{"zero step",
                 {"--from", "2026-12-11T00:00", "--to", "2026-12-11T01:00", "--every", "0s"},
                 "--every takes"},
        BadInput{"range backwards",
                 {"--from", "2026-12-11T02:00", "--to", "2026-12-11T01:00", "--every", "1m"},
                 "--to lies before --from"},
        BadInput{"too many rows",
                 {"--from", "2000-01-01T00:00", "--to", "2099-01-01T00:00", "--every", "1s"},
                 "more than 1e9 rows"},
        BadInput{"csv without a range", {"--csv"}, "--csv goes with --from"},
        BadInput{"dry run without track", {"--dry-run"}, "go with --track"},
        BadInput{"track at a time", {"--track", "--at", "2026-12-11T09:00"}, "--track follows"},
        BadInput{"track for no time", {"--track", "--duration", "-1"}, "--duration takes"},
        BadInput{"csv and jsonl",
                 {"--from", "2026-12-11T00:00", "--to", "2026-12-11T01:00", "--every", "1m",
                  "--csv", "--jsonl"},
                 "exclude each other"},
        BadInput{"range and table",
                 {"--from", "2026-12-11T00:00", "--to", "2026-12-11T01:00", "--every", "1m",
                  "--table"},
                 "print rows only"},
        BadInput{"rows of the Earth",
                 {"--source", "Earth", "--from", "2026-12-11T00:00", "--to", "2026-12-11T01:00",
                  "--every", "1m"},
                 "no place in the sky"},
        BadInput{"long multi-line source name",
                 {"--source", "Sirius\nline two\n" + QString(300, 'x')},
                 "unknown source \"Sirius?line two?xxxxxxxxxxxxxxxxxxxxxxxx...\""}));

TEST_F(WindowTest, CommandLineWriteErrorIsExitOne) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", "MEZ-1");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(dir_.path().string()));
    p.setStandardOutputFile("/dev/full");
    p.start(KELVO_EPHEM, {"--source", "Moon", "--table", "--step", "6"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(err, "kelvo-ephem: cannot write the output: No space left on device\n");
}

TEST_F(WindowTest, CommandLineWarnsOfSiteFileProblems) {
    Write("kelvo.cfg", "Tarnwick\n117,7\n-15\n50\n-1\n");
    const EphemRun r = Ephem(dir_.path(), {"--source", "Moon", "--json"}, "UTC0");
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList err = r.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(err.size(), 2) << r.err.toStdString();
    EXPECT_EQ(err[0], "kelvo-ephem: warning: kelvo.cfg line 2: (height) \"117,7\" is more than a "
                      "number: read as 117 m");
    EXPECT_TRUE(err[1].contains("(zone code) -1 means UT+1, but this computer's clock runs on UT"));
    QJsonParseError error{};
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    const QJsonArray warnings = o.value("warnings").toArray();
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_EQ("kelvo-ephem: warning: " + warnings[0].toString(), err[0]);
    // A clock reading given on the command line is no reading of this
    // computer's clock: its zone is no concern then.
    const EphemRun at = Ephem(dir_.path(), {"--at", "2009-05-10 21:13:07", "--json"}, "UTC0");
    EXPECT_EQ(QJsonDocument::fromJson(at.out.toUtf8()).object().value("warnings").toArray().size(),
              1);
}

TEST_F(WindowTest, CommandLineOfDateAndSystemZone) {
    const QStringList args = {"--source", "Tau A", "--at", "2026-12-11 21:13:07", "--json"};
    const EphemRun plain = Ephem(dir_.path(), args);
    const EphemRun ofDate = Ephem(dir_.path(), args + QStringList{"--of-date"});
    ASSERT_EQ(ofDate.status, 0) << ofDate.err.toStdString();
    const QJsonObject a = QJsonDocument::fromJson(plain.out.toUtf8()).object();
    const QJsonObject b = QJsonDocument::fromJson(ofDate.out.toUtf8()).object();
    EXPECT_FALSE(a.value("of_date").toBool());
    EXPECT_TRUE(b.value("of_date").isBool());
    EXPECT_TRUE(b.value("of_date").toBool());
    // Tau A in 2026: about 21' from its catalogue place.
    const double dRa = (b.value("ra_rad").toDouble() - a.value("ra_rad").toDouble()) * 180 / 3.14159;
    EXPECT_GT(dRa * 60, 15.0);
    EXPECT_LT(dRa * 60, 25.0);
    EXPECT_TRUE(b.value("readouts").toObject().value("ra_dec").toString().startsWith("RAnow="));
    const EphemRun zone = Ephem(dir_.path(), {"--zone", "auto", "--at", "2026-12-11 21:13:07"},
                                "IST-5:30");
    EXPECT_TRUE(zone.out.contains("Timezone: UT+5:30")) << zone.out.toStdString();
}

TEST_F(WindowTest, CommandLineDrawsTheSkyChartHeadless) {
    const QString png = QString::fromStdString(File("sky.png").string());
    const QString svg = QString::fromStdString(File("sky.svg").string());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("QT_QPA_PLATFORM");  // no display at all
    env.insert("TZ", "MEZ-1");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(dir_.path().string()));
    p.start(KELVO_EPHEM, {"--source", "Moon", "--chart", png, "--width", "800", "--height", "500"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(800, 500));
    p.start(KELVO_EPHEM, {"--source", "Moon", "--chart", svg, "--polar"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(std::filesystem::exists(File("sky.svg")));
    // Where the file cannot be written: exit 1 and one line.
    const EphemRun r = Ephem(dir_.path(), {"--chart", "/nonexistent-folder/sky.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
}

TEST_F(WindowTest, CommandLineTakesSexagesimalPlaces) {
    // Tau A: 05h34m31.94s +22d00m52.2s = 83.6330833 +22.0145 deg.
    const QStringList at = {"--at", "2026-12-11 21:13:07", "--json"};
    const EphemRun degrees =
        Ephem(dir_.path(), QStringList{"--ra", "83.63308333333", "--dec", "22.0145"} + at);
    for (const QStringList& place : {QStringList{"--ra", "5h34m31.94s", "--dec", "+22:00:52.2"},
                                     QStringList{"--ra", "05:34:31.94", "--dec", "22d00m52.2s"}}) {
        const EphemRun r = Ephem(dir_.path(), place + at);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QJsonObject a = QJsonDocument::fromJson(r.out.toUtf8()).object();
        const QJsonObject b = QJsonDocument::fromJson(degrees.out.toUtf8()).object();
        EXPECT_NEAR(a.value("ra_rad").toDouble(), b.value("ra_rad").toDouble(), 1e-9);
        EXPECT_NEAR(a.value("dec_rad").toDouble(), b.value("dec_rad").toDouble(), 1e-9);
    }
}

TEST_F(WindowTest, CommandLineFindsCatalogueSources) {
    Write("sources.cat", "PSR B0329+54, 03:32:59.37, +54:34:43.6, J2000, pulsar\n");
    const EphemRun r = Ephem(dir_.path(), {"--source", "psr b0329+54", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value("readouts").toObject().value("source").toString(),
              "Sourceobject: PSR B0329+54");
    EXPECT_NEAR(o.value("gal_l_deg").toDouble(), 145.0, 0.05);  // the pulsar at l = 145.0
    EXPECT_NEAR(o.value("gal_b_deg").toDouble(), -1.22, 0.05);
    const EphemRun unknown = Ephem(dir_.path(), {"--source", "PSR B0000+00"});
    EXPECT_EQ(unknown.status, 2);
}

TEST_F(WindowTest, CommandLineHelpNamesEveryOption) {
    const EphemRun r = Ephem(dir_.path(), {"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--source", "--ra", "--dec", "--name", "--at", "--zone", "--step",
                               "--table", "--json", "--events", "--from", "--to", "--every",
                               "--csv", "--jsonl", "--utc", "-h,", "Example"})
        EXPECT_TRUE(r.out.contains(option)) << option;
}

namespace {

QJsonObject JsonOf(const QString& text) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    return doc.object();
}

}  // namespace

TEST_F(WindowTest, CommandLineTakesIsoTimesAndUt) {
    // The fixture's kelvo.cfg runs the clock on MEZ (UT+1): each form names
    // 2026-12-11 09:00 of that clock, 08:00 UT.
    const QStringList forms[] = {
        {"--at", "2026-12-11 09:00:00"},          {"--at", "2026-12-11T09:00:00"},
        {"--at", "2026-12-11T09:00"},             {"--at", "2026-12-11 09:00"},
        {"--at", "2026-12-11T08:00:00Z"},         {"--at", "2026-12-11T08:00Z"},
        {"--at", "2026-12-11 08:00:00", "--utc"}, {"--at", "2026-12-11T08:00:00", "--zone", "UT"},
    };
    for (const QStringList& form : forms) {
        const EphemRun r = Ephem(dir_.path(), QStringList{"--source", "Moon", "--json"} + form);
        ASSERT_EQ(r.status, 0) << form.join(' ').toStdString() << r.err.toStdString();
        const QJsonObject o = JsonOf(r.out);
        EXPECT_EQ(o.value("ut").toString(), "2026-12-11T08:00:00Z") << form.join(' ').toStdString();
        EXPECT_NEAR(o.value("julian_date").toDouble(),
                    form.contains("UT") ? 2461385.8333333 : 2461385.875, 1e-6);
        EXPECT_EQ(o.value("source").toString(), "Moon");
        EXPECT_NEAR(o.value("ra_deg").toDouble(),
                    o.value("ra_rad").toDouble() * 180 / 3.141592653589793, 1e-9);
        EXPECT_NEAR(o.value("dec_deg").toDouble(),
                    o.value("dec_rad").toDouble() * 180 / 3.141592653589793, 1e-9);
        EXPECT_NEAR(o.value("lst_deg").toDouble(),
                    o.value("lst_rad").toDouble() * 180 / 3.141592653589793, 1e-9);
        EXPECT_NEAR(o.value("gha_deg").toDouble(), o.value("gha_hours").toDouble() * 15, 1e-9);
    }
}

TEST_F(WindowTest, CommandLineKnowsTheNamesObserversType) {
    const std::pair<const char*, const char*> names[] = {
        {"Cas A", "Cass A"},      {"cassiopeia a", "Cass A"}, {"3C 461", "Cass A"},
        {"3c461", "Cass A"},      {"Cyg A", "Cygn A"},        {"Cygnus A", "Cygn A"},
        {"3C 405", "Cygn A"},     {"Tau A", "Tau A"},         {"Crab", "Tau A"},
        {"M1", "Tau A"},          {"3C 144", "Tau A"},        {"Vir A", "Virgo A"},
        {"m87", "Virgo A"},       {"3C 274", "Virgo A"},      {"Sgr A", "Sagitt A"},
        {"Sgr A*", "Sagitt A"},   {"M42", "Orion"},           {"NEPTUNE", "Neptun"},
    };
    for (const auto& [typed, shown] : names) {
        const EphemRun r = Ephem(dir_.path(), {"--source", typed, "--at", "2026-12-11T09:00"});
        ASSERT_EQ(r.status, 0) << typed << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QString("Sourceobject: ") + shown + "\n")) << typed;
    }
    EXPECT_EQ(Ephem(dir_.path(), {"--source", "M2"}).status, 2);
    EXPECT_EQ(Ephem(dir_.path(), {"--source", "3C 46"}).status, 2);
}

TEST_F(WindowTest, CommandLineRowsAsCsvJsonLinesAndPlain) {
    const QStringList range = {"--source", "Moon", "--from", "2026-12-11T00:00Z", "--to",
                               "2026-12-11T01:00Z", "--every", "10m"};
    const EphemRun csv = Ephem(dir_.path(), range + QStringList{"--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err.toStdString();
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 7);
    EXPECT_EQ(lines[0], "local_time,ut,azimuth_deg,elevation_deg,ra_deg,dec_deg,visible");
    EXPECT_TRUE(lines[1].startsWith("2026-12-11T01:00:00,2026-12-11T00:00:00Z,"));
    EXPECT_TRUE(lines[7].startsWith("2026-12-11T02:00:00,2026-12-11T01:00:00Z,"));
    EXPECT_FALSE(csv.out.contains(QChar(0xB0)));
    // A row is the driver's place at its instant (here against the single
    // readout of kelvo-ephem at 00:30 UT).
    const QStringList row = lines[4].split(',');
    ASSERT_EQ(row.size(), 7);
    const QJsonObject single = JsonOf(
        Ephem(dir_.path(), {"--source", "Moon", "--at", "2026-12-11T00:30Z", "--json"}).out);
    EXPECT_NEAR(row[2].toDouble(), single.value("azimuth_deg").toDouble(), 2e-6);
    EXPECT_NEAR(row[3].toDouble(), single.value("elevation_deg").toDouble(), 2e-6);
    EXPECT_NEAR(row[5].toDouble(), single.value("dec_deg").toDouble(), 2e-6);

    const EphemRun jsonl = Ephem(dir_.path(), range + QStringList{"--jsonl"});
    ASSERT_EQ(jsonl.status, 0);
    const QStringList objects = jsonl.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(objects.size(), 7);
    for (const QString& line : objects) {
        const QJsonObject o = JsonOf(line);
        EXPECT_EQ(o.value("source").toString(), "Moon");
        for (const char* key : {"azimuth_deg", "elevation_deg", "ra_deg", "dec_deg"})
            EXPECT_TRUE(o.value(key).isDouble()) << key;
        EXPECT_TRUE(o.value("ut").toString().endsWith("Z"));
    }
    EXPECT_EQ(JsonOf(objects[3]).value("ut").toString(), "2026-12-11T00:30:00Z");

    const EphemRun plain = Ephem(dir_.path(), range);
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out.count('\n'), 7);
    EXPECT_TRUE(plain.out.startsWith("2026-12-11 01:00:00  2026-12-11T00:00:00Z  a="));
    // Seconds and hours as steps; the last row is --to when the step fits.
    EXPECT_EQ(Ephem(dir_.path(), {"--from", "2026-12-11T00:00", "--to", "2026-12-11T00:01",
                                  "--every", "30s", "--csv"})
                  .out.count('\n'),
              1 + 3);
    EXPECT_EQ(Ephem(dir_.path(), {"--from", "2026-12-11T00:00", "--to", "2026-12-12T00:00",
                                  "--every", "1.5h", "--csv"})
                  .out.count('\n'),
              1 + 17);
}

TEST_F(WindowTest, CommandLineEventsOfTheDay) {
    const EphemRun r = Ephem(dir_.path(), {"--source", "Sun", "--at", "2026-12-11T12:00",
                                           "--events", "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = JsonOf(r.out);
    const QJsonArray events = o.value("events").toArray();
    QStringList kinds;
    for (const auto& e : events) kinds << e.toObject().value("event").toString();
    EXPECT_EQ(kinds.join(' '), "rise transit set");
    EXPECT_FALSE(o.value("always_up").toBool());
    const QJsonObject transit = events[1].toObject();
    EXPECT_TRUE(transit.value("local_time").toString().startsWith("2026-12-11T11:5"));
    EXPECT_NEAR(transit.value("azimuth_deg").toDouble(), 180.0, 0.01);
    const EphemRun plain = Ephem(dir_.path(), {"--source", "Cas A", "--at", "2026-12-11T12:00",
                                               "--events"});
    EXPECT_TRUE(plain.out.contains("\nAlways up\ntransit 18:01:4")) << plain.out.toStdString();
}

TEST_F(WindowTest, CommandLineTracksDryAndWithTheDummyRotator) {
    const EphemRun dry = Ephem(dir_.path(), {"--source", "Sun", "--track", "--dry-run",
                                             "--duration", "0.5", "--jsonl"});
    ASSERT_EQ(dry.status, 0) << dry.err.toStdString();
    const QJsonObject first = JsonOf(dry.out.split('\n', Qt::SkipEmptyParts).first());
    EXPECT_TRUE(first.value("target_az_deg").isDouble());
    EXPECT_TRUE(first.value("rotator_az_deg").isNull());  // no rotator

    Write("rotator.cfg", "model = 1\nperiod = 0.2\n");
    const EphemRun dummy = Ephem(dir_.path(), {"--source", "Sun", "--track", "--duration", "1"});
    ASSERT_EQ(dummy.status, 0) << dummy.err.toStdString();
    EXPECT_TRUE(dummy.err.contains("rotator: connected"));
    EXPECT_TRUE(dummy.out.contains("command a=")) << dummy.out.toStdString();

    Write("rotator.cfg", "model = 1\nbelow = sometimes\nwobble = 1\n");
    const EphemRun bad = Ephem(dir_.path(), {"--source", "Sun", "--track"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains("rotator.cfg line 2: below takes hold or park"));
    EXPECT_TRUE(bad.err.contains("rotator.cfg line 3: unknown key \"wobble\""));
    EXPECT_TRUE(bad.err.contains("tracking does not start"));
}
