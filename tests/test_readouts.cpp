// Readout texts, captions and the sexagesimal split.
#include <gtest/gtest.h>

#include <cmath>

#include "EphemerisConstants.h"
#include "Readouts.h"
#include "Text.h"

using namespace kelvo;
using C = EphemerisConstants;

struct HmsCase {
    double x;
    unsigned h, m, s;
};

class HoursToHmsTable : public ::testing::TestWithParam<HmsCase> {};

TEST_P(HoursToHmsTable, SplitsWithoutCarry) {
    const HmsCase c = GetParam();
    std::uint16_t h = 1, m = 1, s = 1;
    HoursToHms(c.x, h, m, s);
    EXPECT_EQ(h, c.h) << c.x;
    EXPECT_EQ(m, c.m) << c.x;
    EXPECT_EQ(s, c.s) << c.x;
}

INSTANTIATE_TEST_SUITE_P(Cases, HoursToHmsTable,
                         ::testing::Values(HmsCase{12.5, 12, 30, 0}, HmsCase{0.99999, 0, 59, 60},
                                           HmsCase{23.999, 23, 59, 56}, HmsCase{0.0, 0, 0, 0},
                                           HmsCase{std::nan(""), 0, 0, 0},
                                           HmsCase{INFINITY, 0, 0, 0}));

struct GhaCase {
    double lstHours, longitude;
    const char* text;
};

// The sidereal angle in radians that the readouts show as exactly h hours.
static double LstForHours(double h) {
    double lst = h * C::HourToRad;
    for (int i = 0; i < 8 && lst * C::RadToHour != h; ++i)
        lst = std::nextafter(lst, lst * C::RadToHour < h ? 10.0 : -10.0);
    return lst;
}

class GhaReadout : public ::testing::TestWithParam<GhaCase> {};

TEST_P(GhaReadout, GreenwichValueWrapped) {
    const GhaCase c = GetParam();
    EXPECT_EQ(FormatGha(LstForHours(c.lstHours), c.longitude), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, GhaReadout,
                         ::testing::Values(GhaCase{3.1, -15, "GHA=  31.50\xB0 = 02:06:00"},
                                           GhaCase{0.3, -15, "GHA= 349.50\xB0 = 23:18:00"},
                                           GhaCase{23.0, 30, "GHA=  15.00\xB0 = 01:00:00"},
                                           GhaCase{23.5, 0, "GHA= 352.50\xB0 = 23:30:00"}));

TEST(Readouts, TimeFormats) {
    EXPECT_EQ(FormatJd(2451545.0 + 1.0 / 24), "JD =  2451545.04167");
    EXPECT_EQ(FormatTjd(2440001.0), "TJD=     0 D= 43200s");
    EXPECT_EQ(FormatTjd(2454962.5 + 0.25), "TJD= 14962 D= 21600s");
    EXPECT_EQ(FormatLst(LstForHours(3.1)), "LST=  46.50\xB0 = 03:06:00");
    EXPECT_EQ(FormatAziEle(360.0, -0.5), "AZI= 360.00\xB0; ELE= -0.50\xB0");
}

TEST(Readouts, RightAscensionOutsideOneTurnShowsAsTheTimeItMeans) {
    const double arcsec = C::DegToRad / 3600;
    EXPECT_EQ(FormatRaDec(-20 * arcsec, 0.5 * C::DegToRad), "RA =23:59:59; DEC=  0.50\xB0");
    EXPECT_EQ(FormatRaDec(C::TwoPi + 30 * arcsec, 0.0), "RA =00:00:02; DEC=  0.00\xB0");
    EXPECT_EQ(FormatRaDec(12 * C::HourToRad, -28.8 * C::DegToRad), "RA =12:00:00; DEC=-28.80\xB0");
}

TEST(Readouts, TimeZoneCaptions) {
    EXPECT_EQ(TimeZoneCaption(-2), "Timezone: MESZ");
    EXPECT_EQ(TimeZoneCaption(-1), "Timezone: MEZ");
    EXPECT_EQ(TimeZoneCaption(0), "Timezone: UT");
    EXPECT_EQ(TimeZoneCaption(1), "Timezone:unknown");
}

TEST(Readouts, UpdateShowsTheClockJdAndTheSource) {
    ObservationState s;
    s.SiteLongitude = -15;
    s.SiteLatitude = 50;
    s.TimeZoneCode = -1;
    s.Kind = SourceKind::Fixstar;
    s.SourceRa = 1.0;
    s.SourceDec = 0.5;
    SetText(s.SourceName, "Cygn A");
    double lst, az, el;
    const Readouts r = UpdateReadouts(s, {2000, 1, 1, 13, 0, 0, 0}, lst, az, el);
    EXPECT_EQ(r.Date, "Date: 01-01-2000");
    EXPECT_EQ(r.LocalTime, "Local time: 13:00:00");
    EXPECT_EQ(r.Jd, "JD =  2451545.04167");
    EXPECT_EQ(r.TimeZone, "Timezone: MEZ");
    EXPECT_EQ(r.Source, "Sourceobject: Cygn A");
    EXPECT_EQ(s.SourceRa, 1.0);  // a fixed source's place is an input only
}

TEST(Text, ConversionsIgnoreTheProcessLocale) {
    EXPECT_EQ(ParseReal("83.633"), 83.633);
    EXPECT_EQ(ParseReal(" 1.608"), 1.608);
    EXPECT_EQ(ParseReal("8"), 8.0);
    EXPECT_EQ(ParseReal("83."), 83.0);
    EXPECT_EQ(ParseReal(".5"), 0.5);
    EXPECT_EQ(ParseReal("1e"), 1.0);
    EXPECT_EQ(ParseReal("inf"), 0.0);
    EXPECT_EQ(ParseReal("nan"), 0.0);
    EXPECT_EQ(ParseReal("0x10"), 0.0);
    EXPECT_EQ(ParseReal(""), 0.0);
    EXPECT_EQ(ParseInteger("-1"), -1);
    EXPECT_EQ(ParseInteger("+7x"), 7);
    EXPECT_EQ(ParseInteger("x7"), 0);
}

TEST(Text, SetTextKeeps39Characters) {
    char buffer[TextBufferSize];
    SetText(buffer, std::string(60, 'a'));
    EXPECT_EQ(std::string(buffer), std::string(39, 'a'));
}

struct TypedCase {
    const char* text;
    bool declination;
    double degrees;     // when valid
    const char* problem;  // part of the problem; "" when valid
};

class TypedPlaces : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedPlaces, DegreesHoursAndSexagesimal) {
    const TypedCase& c = GetParam();
    const TypedAngle a = c.declination ? TypedDeclination(c.text) : TypedRightAscension(c.text);
    if (*c.problem == '\0') {
        EXPECT_EQ(a.Problem, "") << c.text;
        EXPECT_NEAR(a.Degrees, c.degrees, 1e-9) << c.text;
    } else {
        EXPECT_NE(a.Problem.find(c.problem), std::string::npos) << c.text << ": " << a.Problem;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedPlaces,
    ::testing::Values(
        TypedCase{"83.633", false, 83.633, ""},          // a plain number: degrees
        TypedCase{" 400 ", false, 400.0, ""},            // as ever, any degrees
        TypedCase{"5h34m32s", false, 83.6333333333, ""},
        TypedCase{"5h 34m 31.9s", false, 83.6329166667, ""},
        TypedCase{"5.5h", false, 82.5, ""},
        TypedCase{"5h34.5m", false, 83.625, ""},
        TypedCase{"05:34:32", false, 83.6333333333, ""},
        TypedCase{"23:59:59.9", false, 359.9995833333, ""},
        TypedCase{"24:00:00", false, 0, "below 24 hours"},
        TypedCase{"5h60m", false, 0, "not a right ascension"},
        TypedCase{"-5h", false, 0, "no sign"},
        TypedCase{"5 34 32", false, 0, "not a right ascension"},
        TypedCase{"", false, 0, "not a right ascension"},
        TypedCase{"abc", false, 0, "not a right ascension"},
        TypedCase{"1e999", false, 0, "beyond any range"},
        TypedCase{"22.0145", true, 22.0145, ""},
        TypedCase{"+22:00:52.2", true, 22.0145, ""},
        TypedCase{"-05:23:28", true, -5.3911111111, ""},
        TypedCase{"-00:30:00", true, -0.5, ""},
        TypedCase{"22d00m52.2s", true, 22.0145, ""},
        TypedCase{"22\xB0" "00'52.2\"", true, 22.0145, ""},
        TypedCase{"-22\xC2\xB0" "00'52.2\"", true, -22.0145, ""},
        TypedCase{"91", true, 0, "between -90 and +90"},
        TypedCase{"-90:00:01", true, 0, "between -90 and +90"},
        TypedCase{"22:61", true, 0, "not a declination"},
        TypedCase{"north", true, 0, "not a declination"}));
