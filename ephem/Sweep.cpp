#include "Sweep.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Calendar.h"
#include "Constants.h"
#include "Coordinates.h"
#include "DriverSteps.h"
#include "Nutation.h"

namespace kelvo {

namespace {

// Where Meeus' Delta T (Calendar.h) jumps from one formula to the next, as
// Julian Dates: T = 0 (2000), the years 1620 and 948.
constexpr double kDeltaTJumps[] = {2451545.0, 2312750.0, 2067302.0};

// A span may be halved down to this length (days) when its fit is off.
constexpr double kShortestSpan = 1.0 / 256.0;

// Largest difference allowed at a span's midpoint: direction components and
// the equation of the equinoxes in radians (2e-5"), the distance relative.
constexpr double kFitTolerance = 1e-10;

bool IsFixed(const EphemerisRequest& r) { return r.kind == SourceKind::Fixstar; }

}  // namespace

Sweep::Sweep(const EphemerisRequest& request, double ra, double dec, double stepDays)
    : request_(request), ra_(ra), dec_(dec) {
    static const TermsSource workingDirectory{};
    request_.terms = nullptr;  // the terms are ours from here on
    if (request.kind == SourceKind::Planet) {
        terms_ = LoadTermsFor(request.terms ? *request.terms : workingDirectory, request.planet);
        // The driver's own verdict on these terms (the instant does not matter).
        double lst, az, el, r, d, jd;
        status_ = PlanetEphemeris(terms_, request.longitude, request.latitude, 0.0,
                                  request.height, request.planet, 2000, 1, 1, 12.0, lst, az, el,
                                  r, d, jd, request.ofDate);
    }
    SiteGeocentricTerms(request.latitude * DegToRad, request.height, rhoCos_, rhoSin_);
    // Beyond two hours between instants, a fit costs more than it saves; a
    // fixed source of date has no slow part of its own to fit.
    direct_ = stepDays > 2.0 / 24.0 || (IsFixed(request) && request.ofDate);
}

std::array<double, Sweep::Functions> Sweep::Slow(double ut) const {
    const EphemerisRequest& r = request_;
    const bool body = !IsFixed(r);
    EphemerisPreamble p{};
    EphemerisPreambleAt(ut, r.longitude, r.latitude, body,
                        r.kind == SourceKind::Planet && r.planet == 9 && !r.ofDate, r.ofDate, p);
    std::array<double, Functions> f{};
    f[4] = p.dpsi * std::cos(p.eps0);
    if (!body) return f;
    const GeocentricPlace g = r.kind == SourceKind::Moon ? MoonGeocentric(p)
                                                          : PlanetGeocentric(terms_, r.planet, p,
                                                                             r.ofDate);
    const double c = std::cos(g.Delta);
    f[0] = c * std::cos(g.Alpha);
    f[1] = c * std::sin(g.Alpha);
    f[2] = std::sin(g.Delta);
    f[3] = g.Distance;
    return f;
}

bool Sweep::Fit(double start, double end, Span& span) const {
    span.Start = start;
    span.End = end;
    const double mid = 0.5 * (start + end), half = 0.5 * (end - start);
    std::array<std::array<double, Nodes>, Functions> values{};
    for (int k = 0; k < Nodes; ++k) {
        const auto f = Slow(mid + half * std::cos(Pi * (k + 0.5) / Nodes));
        for (int i = 0; i < Functions; ++i) values[i][k] = f[i];
    }
    for (int i = 0; i < Functions; ++i)
        for (int j = 0; j < Nodes; ++j) {
            double sum = 0.0;
            for (int k = 0; k < Nodes; ++k) sum += values[i][k] * std::cos(Pi * j * (k + 0.5) / Nodes);
            span.Coefficients[i][j] = 2.0 * sum / Nodes;
        }
    // The midpoint is not a node (Nodes is even): the fit's check.
    const auto exact = Slow(mid);
    for (int i = 0; i < Functions; ++i) {
        const auto& c = span.Coefficients[i];
        double value = 0.5 * c[0];  // T_j(0): 1, 0, -1, 0, 1, ...
        for (int j = 2; j < Nodes; j += 2) value += (j % 4 == 0 ? 1.0 : -1.0) * c[j];
        const double scale = i == 3 ? std::max(std::fabs(exact[3]), 1e-300) : 1.0;
        if (!(std::fabs(value - exact[i]) <= kFitTolerance * scale)) return false;
    }
    return true;
}

const Sweep::Span& Sweep::SpanAt(double ut) {
    for (const Span& s : spans_)
        if (s.Start <= ut && ut < s.End) return s;
    double start = std::floor(ut - 0.5) + 0.5;  // 0h UT
    double end = start + 1.0;
    for (double jump : kDeltaTJumps) {
        if (start < jump && jump <= ut) start = jump;
        if (ut < jump && jump < end) end = jump;
    }
    Span span;
    while (!Fit(start, end, span)) {
        if (end - start <= kShortestSpan) {
            span.Start = span.End = ut;  // no fit: this instant goes to the driver steps
            break;
        }
        const double mid = 0.5 * (start + end);
        (ut < mid ? end : start) = mid;
    }
    constexpr std::size_t kKept = 4;
    if (spans_.size() < kKept) {
        spans_.push_back(span);
        return spans_.back();
    }
    spans_[next_] = span;
    const Span& kept = spans_[next_];
    next_ = (next_ + 1) % kKept;
    return kept;
}

SweepPlace Sweep::At(double ut) {
    const EphemerisRequest& r = request_;
    if (r.kind == SourceKind::Planet && r.planet == 3) {  // the Earth: no place in the sky
        const double nan = std::numeric_limits<double>::quiet_NaN();
        EphemerisPreamble p{};
        EphemerisPreambleAt(ut, r.longitude, r.latitude, true, false, r.ofDate, p);
        return {p.theta, nan, nan, 0.0, 0.0};
    }
    std::array<double, Functions> f{};
    const Span* span = direct_ ? nullptr : &SpanAt(ut);
    if (span && span->End > span->Start) {
        const double x = (ut - 0.5 * (span->Start + span->End)) / (0.5 * (span->End - span->Start));
        for (int i = 0; i < Functions; ++i) {
            const auto& c = span->Coefficients[i];
            if (IsFixed(r) && i < 4) continue;
            double b1 = 0.0, b2 = 0.0;
            for (int j = Nodes - 1; j >= 1; --j) {
                const double b = 2.0 * x * b1 - b2 + c[j];
                b2 = b1;
                b1 = b;
            }
            f[i] = x * b1 - b2 + 0.5 * c[0];
        }
    } else {
        if (IsFixed(r) && r.ofDate) {
            SweepPlace out{};
            EphemerisPreamble p{};
            EphemerisPreambleAt(ut, r.longitude, r.latitude, false, false, false, p);
            out.Lst = p.theta;
            FixstarOfDateAt(ut, r.longitude, r.latitude, r.height, ra_, dec_, out.Azimuth,
                            out.Elevation, out.RightAscension, out.Declination);
            return out;
        }
        f = Slow(ut);
    }
    SweepPlace out{};
    const double phi = r.latitude * DegToRad;
    out.Lst = LocalSiderealAngle(MeanSiderealTime(JulianCenturies(ut)), f[4],
                                 r.longitude * DegToRad);
    if (IsFixed(r)) {
        out.RightAscension = ra_;
        out.Declination = dec_;
        HorizontalPlace(ra_, dec_, out.Lst, phi, 0.0, out.Azimuth, out.Elevation);
        return out;
    }
    const GeocentricPlace g{std::atan2(f[1], f[0]), std::atan2(f[2], std::hypot(f[0], f[1])),
                            f[3]};
    if (r.kind == SourceKind::Moon)
        MoonTopocentric(g, out.Lst, phi, rhoCos_, rhoSin_, out.RightAscension, out.Declination,
                        out.Azimuth, out.Elevation);
    else
        PlanetTopocentric(g, out.Lst, phi, rhoCos_, rhoSin_, out.RightAscension,
                          out.Declination, out.Azimuth, out.Elevation);
    return out;
}

}  // namespace kelvo
