// Julian Day, Delta T and the numeric helpers against Meeus' worked examples
// (Astronomical Algorithms, 2nd ed., ch. 7 and 10).
#include <gtest/gtest.h>

#include <cmath>

#include "Calendar.h"

using namespace kelvo;

struct JdCase {
    int year, month;
    double day, jd;
};

class JulianDayTable : public ::testing::TestWithParam<JdCase> {};

TEST_P(JulianDayTable, MatchesPublishedValue) {
    const JdCase c = GetParam();
    EXPECT_DOUBLE_EQ(JulianDay({c.year, c.month, c.day}), c.jd)
        << c.year << "-" << c.month << "-" << c.day;
}

INSTANTIATE_TEST_SUITE_P(
    Meeus7, JulianDayTable,
    ::testing::Values(JdCase{2000, 1, 1.5, 2451545.0}, JdCase{1957, 10, 4.81, 2436116.31},
                      JdCase{1987, 1, 27.0, 2446822.5}, JdCase{1988, 6, 19.5, 2447332.0},
                      JdCase{1900, 1, 1.0, 2415020.5}, JdCase{837, 4, 10.3, 2026871.8},
                      JdCase{-1000, 7, 12.5, 1356001.0}, JdCase{-4712, 1, 1.5, 0.0},
                      // Calendar switch: Oct 4 is Julian, Oct 15 Gregorian, one day apart;
                      // any day above 4.0 already counts as Gregorian.
                      JdCase{1582, 10, 4.0, 2299159.5}, JdCase{1582, 10, 15.0, 2299160.5},
                      JdCase{1582, 10, 4.5, 2299150.0},
                      // The test uses the unshifted year: Jan 1583 is Gregorian.
                      JdCase{1583, 1, 1.0, 2299238.5},
                      // Truncation toward zero of a negative 365.25 (y + 4716).
                      JdCase{-4717, 3, 1.0, -1766.5}));

TEST(JulianCenturies, EpochAndOneCentury) {
    EXPECT_EQ(JulianCenturies(2451545.0), 0.0);
    EXPECT_DOUBLE_EQ(JulianCenturies(2488070.0), 1.0);
}

struct DeltaTCase {
    double year, seconds, tolerance;
};

class DeltaTCases : public ::testing::TestWithParam<DeltaTCase> {};

TEST_P(DeltaTCases, AtTablePointsAndModelBoundaries) {
    const DeltaTCase c = GetParam();
    EXPECT_NEAR(DeltaT((c.year - 2000.0) / 100.0), c.seconds, c.tolerance) << "year " << c.year;
}

INSTANTIATE_TEST_SUITE_P(
    Meeus10, DeltaTCases,
    ::testing::Values(DeltaTCase{1620.0, 124.0, 1e-9}, DeltaTCase{1700.0, 9.0, 1e-9},
                      DeltaTCase{1900.0, -2.7, 1e-9}, DeltaTCase{1990.0, 56.9, 1e-9},
                      DeltaTCase{1992.0, 58.0, 1e-9},
                      DeltaTCase{2000.0, 62.4, 1e-9},     // 1990-92 slope extrapolated
                      DeltaTCase{2009.0, 113.68, 0.005},  // quadratic after 2000
                      DeltaTCase{1619.9, 119.10, 0.005}, DeltaTCase{948.0, 1830.58, 0.005},
                      DeltaTCase{947.9, 1830.43, 0.005}));

TEST(DeltaT, JumpsToQuadraticJustAfter2000) {
    EXPECT_NEAR(DeltaT(1e-12), 102.3, 1e-6);
    EXPECT_NEAR(DeltaT(0.0), 62.4, 1e-9);
}

TEST(DeltaT, EveryTableEntryIsReachedAtItsYear) {
    // Spot values across the table rows catch a mistyped entry.
    const struct {
        int year;
        double seconds;
    } rows[] = {{1640, 62.0}, {1660, 37.0}, {1680, 16.0}, {1720, 11.0}, {1740, 12.0},
                {1760, 15.0}, {1780, 17.0}, {1800, 13.7}, {1820, 12.0}, {1840, 5.7},
                {1860, 7.9},  {1872, -1.0}, {1880, -5.4}, {1920, 21.2}, {1940, 24.3},
                {1960, 33.1}, {1980, 50.5}, {1986, 54.9}};
    for (const auto& r : rows)
        EXPECT_NEAR(DeltaT((r.year - 2000.0) / 100.0), r.seconds, 1e-9) << r.year;
}

TEST(Polynomial, HornerAndDegreeZero) {
    const double c[] = {1.0, -2.0, 3.0};
    EXPECT_DOUBLE_EQ(Polynomial(c, 2, 2.0), 1.0 - 4.0 + 12.0);
    const double k[] = {7.5};
    EXPECT_EQ(Polynomial(k, 0, std::nan("")), 7.5);  // x is not read
}

TEST(IntegerPart, TruncatesTowardZero) {
    EXPECT_EQ(IntegerPart(2.7), 2.0);
    EXPECT_EQ(IntegerPart(-2.7), -2.0);
}

TEST(NormalizeAngle, ReducesIntoOneTurn) {
    const double twoPi = 6.283185307179586;
    EXPECT_DOUBLE_EQ(NormalizeAngle(-0.5), twoPi - 0.5);
    EXPECT_NEAR(NormalizeAngle(7 * 3.141592653589793), 3.141592653589793, 1e-14);
    EXPECT_EQ(NormalizeAngle(twoPi), 0.0);
    const double tiny = NormalizeAngle(-1e-20);
    EXPECT_GE(tiny, 0.0);
    EXPECT_LT(tiny, twoPi);
}

TEST(CalendarDateOf, MeeusExamplesAndTheInverseOfJulianDay) {
    // Meeus ch. 7, examples 7.c (2436116.31 -> 1957 October 4.81) and the
    // Julian calendar's 1842713.0 -> 333 January 27.5; the Gregorian reform.
    struct Case {
        double Jd;
        int Year, Month;
        double Day;
    } cases[] = {{2436116.31, 1957, 10, 4.81}, {1842713.0, 333, 1, 27.5},
                 {1507900.13, -584, 5, 28.63}, {2299160.5, 1582, 10, 15.0},
                 {2299159.5, 1582, 10, 4.0}, {2451545.0, 2000, 1, 1.5}};
    for (const Case& c : cases) {
        const CalendarDate d = CalendarDateOf(c.Jd);
        EXPECT_EQ(d.Year, c.Year) << c.Jd;
        EXPECT_EQ(d.Month, c.Month) << c.Jd;
        EXPECT_NEAR(d.Day, c.Day, 1e-9) << c.Jd;
    }
    for (double jd = 2415020.25; jd < 2488070.0; jd += 97.37) {
        const CalendarDate d = CalendarDateOf(jd);
        EXPECT_NEAR(JulianDay(d), jd, 1e-8);
    }
}
