#include "SkyChartPainter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "Constants.h"
#include "Satellit.h"
#include "Text.h"

namespace kelvo {

namespace {

using C = SkyChartColours;

// The font size of the labels, from the chart's size.
double FontPixels(QSizeF size) {
    return std::clamp(std::min(size.width(), size.height()) / 45.0, 9.0, 18.0);
}

QFont LabelFont(double pixels, bool bold = false) {
    QFont f("Liberation Sans");
    f.setPixelSize(static_cast<int>(std::lround(pixels)));
    f.setBold(bold);
    return f;
}

// The horizon's elevation drawn at azimuth entry j: below 0 the chart ends.
double Ground(const ChartScene& s, int j) {
    const double h = s.Horizon[static_cast<std::size_t>(((j % 360) + 360) % 360)];
    return std::isfinite(h) ? std::clamp(h, 0.0, 90.0) : 0.0;
}

void PaintGrid(QPainter& p, const QRectF& plot, ChartView view, double fs) {
    p.setFont(LabelFont(fs));
    const QFontMetricsF m(p.font());
    QPen grid(C::Grid, 1.0);
    p.setBrush(Qt::NoBrush);
    static const char* const kCardinal[] = {"N", "E", "S", "W"};
    for (int el = 0; el <= 80; el += 10) {
        p.setPen(el == 0 ? QPen(C::Label, 1.5) : grid);
        if (view == ChartView::Rectangular) {
            const double y = ChartPoint(0, el, plot, view).y();
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p.setPen(C::Label);
            const QString t = QString::number(el) + QChar(0xB0);
            p.drawText(
                QPointF(plot.left() - m.horizontalAdvance(t) - fs * 0.4, y + m.ascent() / 2.5), t);
        } else {
            const double r = plot.width() / 2 * (90 - el) / 90.0;
            p.drawEllipse(plot.center(), r, r);
            if (el > 0) {
                p.setPen(C::Label);
                p.drawText(ChartPoint(45, el, plot, view) + QPointF(2, -2),
                           QString::number(el) + QChar(0xB0));
            }
        }
    }
    for (int az = 0; az <= 360; az += 30) {
        if (view == ChartView::Polar && az == 360) break;
        p.setPen(grid);
        const QPointF low = ChartPoint(az, 0, plot, view), high = ChartPoint(az, 90, plot, view);
        p.drawLine(low, high);
        p.setPen(C::Label);
        const QString t = az % 90 == 0 ? QString(kCardinal[(az / 90) % 4]) : QString::number(az);
        p.setFont(LabelFont(fs, az % 90 == 0));
        const QFontMetricsF mt(p.font());
        const double w = mt.horizontalAdvance(t);
        if (view == ChartView::Rectangular) {
            p.drawText(QPointF(low.x() - w / 2, plot.bottom() + mt.ascent() + fs * 0.3), t);
        } else {
            // Outside the rim by 0.9 of a label's height.
            const double beyond = -90.0 * 0.9 * fs / (plot.width() / 2);
            const QPointF out = ChartPoint(az, beyond, plot, view);
            p.drawText(QPointF(out.x() - w / 2, out.y() + mt.ascent() / 2.5), t);
        }
        p.setFont(LabelFont(fs));
    }
}

void PaintHorizon(QPainter& p, const QRectF& plot, ChartView view, const ChartScene& s) {
    p.setPen(Qt::NoPen);
    p.setBrush(C::Horizon);
    QPolygonF profile;
    for (int j = 0; j < 360; ++j) {
        profile << ChartPoint(j, Ground(s, j), plot, view);
        profile << ChartPoint(j + 1, Ground(s, j), plot, view);
    }
    if (view == ChartView::Rectangular) {
        profile.prepend(ChartPoint(0, 0, plot, view));
        profile << ChartPoint(360, 0, plot, view);
        p.drawPolygon(profile);
    } else {
        QPainterPath ground;
        ground.addEllipse(plot.center(), plot.width() / 2, plot.height() / 2);
        QPainterPath sky;
        sky.addPolygon(profile);
        p.drawPath(ground.subtracted(sky));
    }
}

void PaintBelt(QPainter& p, const QRectF& plot, ChartView view, const ChartScene& s, double fs) {
    p.setPen(Qt::NoPen);
    p.setBrush(C::Belt);
    const double own = std::isfinite(s.SiteLongitude) ? std::remainder(s.SiteLongitude, 360.0) : 0;
    const int centre = static_cast<int>(std::lround(own));
    for (int k = centre - 90; k <= centre + 89; ++k) {
        float a = 0, e = 0;
        GeostationaryElevation(static_cast<float>(k), s.SiteHeight, s.SiteLatitude,
                               s.SiteLongitude, a, e);
        if (!(e >= 0.0f)) continue;
        if (s.ShowHorizon && !(HorizonAt(s.Horizon, a) < e)) continue;
        p.drawEllipse(ChartPoint(std::fmod(a, 360.0f), e, plot, view), fs * 0.18, fs * 0.18);
    }
}

void PaintTrack(QPainter& p, const QRectF& plot, ChartView view, const ChartScene& s, double fs) {
    if (s.Track.empty()) return;
    const std::size_t n = s.Track.size() - 1;  // the last point is the present moment
    // Segments between the points of the day, in the colour of their start.
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const TrackPoint& a = s.Track[i];
        const TrackPoint& b = s.Track[i + 1];
        if (a.Elevation < 0 && b.Elevation < 0) continue;
        if (view == ChartView::Rectangular && std::fabs(a.Azimuth - b.Azimuth) > 180) continue;
        p.setPen(QPen(a.Visible ? C::Visible : C::Hidden, fs * 0.22, Qt::SolidLine, Qt::RoundCap));
        const double ea = std::max(a.Elevation, 0.0), eb = std::max(b.Elevation, 0.0);
        p.drawLine(ChartPoint(a.Azimuth, ea, plot, view), ChartPoint(b.Azimuth, eb, plot, view));
    }
    // Hour labels along the track (every second hour when space is short).
    p.setFont(LabelFont(fs * 0.85));
    const int every = plot.width() < 700 ? 2 : 1;
    for (std::size_t i = 0; i < n; ++i) {
        const TrackPoint& t = s.Track[i];
        const double h = std::round(t.Hours);
        // Hour 24 stands where hour 0 does: one label for both.
        if (t.Elevation < 0 || std::fabs(t.Hours - h) > 1e-9 || static_cast<int>(h) % every ||
            h >= 24)
            continue;
        const QPointF q = ChartPoint(t.Azimuth, t.Elevation, plot, view);
        p.setPen(Qt::NoPen);
        p.setBrush(t.Visible ? C::Visible : C::Hidden);
        p.drawEllipse(q, fs * 0.25, fs * 0.25);
        p.setPen(C::Label);
        p.drawText(q + QPointF(fs * 0.35, -fs * 0.35), QString::number(static_cast<int>(h)) + "h");
    }
    const TrackPoint& now = s.Track.back();
    if (now.Elevation >= 0) {
        const QPointF q = ChartPoint(now.Azimuth, now.Elevation, plot, view);
        p.setPen(QPen(C::Present, fs * 0.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(q, fs * 0.55, fs * 0.55);
        p.drawLine(q - QPointF(fs, 0), q + QPointF(fs, 0));
        p.drawLine(q - QPointF(0, fs), q + QPointF(0, fs));
    }
}

// The legend: inside the rectangular plot's top right corner; in the polar
// view at the picture's top right corner, beside the dome.
void PaintLegend(QPainter& p, const QRectF& plot, QSizeF size, ChartView view, double fs,
                 bool rotator) {
    struct Entry {
        QColor colour;
        const char* text;
        bool ring;
        bool square = false;
    };
    std::vector<Entry> entries = {{C::Visible, "track, above the horizon", false},
                                  {C::Hidden, "track, below the horizon", false},
                                  {C::Present, "present position", true},
                                  {C::Belt, "geostationary belt", false},
                                  {C::Horizon, "horizon profile", false},
                                  {C::Event, "event ring", true}};
    if (rotator) entries.insert(entries.begin() + 3, {C::Rotator, "rotator (reported)", true, true});
    p.setFont(LabelFont(fs * 0.8));
    const QFontMetricsF m(p.font());
    double width = 0;
    for (const Entry& e : entries) width = std::max(width, m.horizontalAdvance(e.text));
    const double line = m.height() * 1.15;
    const double right = view == ChartView::Rectangular ? plot.right() : size.width();
    const double top = view == ChartView::Rectangular ? plot.top() : fs * 2.4;
    const QRectF box(right - width - fs * 2.6, top + fs * 0.4, width + fs * 2.2,
                     line * static_cast<double>(entries.size()) + fs * 0.5);
    p.setPen(QPen(C::Grid, 1));
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRect(box);
    double y = box.top() + fs * 0.25;
    for (const Entry& e : entries) {
        const QPointF mark(box.left() + fs * 0.8, y + line / 2);
        if (e.ring) {
            p.setPen(QPen(e.colour, fs * 0.15));
            p.setBrush(Qt::NoBrush);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(e.colour);
        }
        if (e.square)
            p.drawRect(QRectF(mark - QPointF(fs * 0.3, fs * 0.3), QSizeF(fs * 0.6, fs * 0.6)));
        else
            p.drawEllipse(mark, fs * 0.3, fs * 0.3);
        p.setPen(C::Label);
        p.drawText(QPointF(box.left() + fs * 1.5, y + m.ascent() + (line - m.height()) / 2),
                   e.text);
        y += line;
    }
}

}  // namespace

ChartScene SceneOf(const ObservationState& s, const std::vector<TrackPoint>& track,
                   const QString& date, const QString& zone) {
    ChartScene c;
    c.Title = QString::fromStdString(NameAsUtf8(s.SiteName)) + "  \u2014  " + date + "  \u2014  " +
              QString::fromStdString(NameAsUtf8(s.SourceName)) + "  \u2014  " + zone;
    c.Horizon = s.Horizon;
    c.ShowHorizon = s.ShowHorizon;
    c.ShowGeostationary = s.ShowGeostationary;
    c.SiteHeight = s.SiteHeight;
    c.SiteLatitude = s.SiteLatitude;
    c.SiteLongitude = s.SiteLongitude;
    c.Track = track;
    return c;
}

QRectF PlotArea(QSizeF size, ChartView view) {
    const double fs = FontPixels(size);
    const double top = fs * 2.4, bottom = fs * 2.2, left = fs * 3.4, right = fs * 1.4;
    if (view == ChartView::Rectangular)
        return QRectF(left, top, std::max(1.0, size.width() - left - right),
                      std::max(1.0, size.height() - top - bottom));
    // Room for the N, E, S, W labels outside the rim.
    const double room = fs * 1.8;
    const double high = size.height() - top - 2 * room, wide = size.width() - 2 * room;
    const double d = std::max(1.0, std::min(wide, high));
    return QRectF((size.width() - d) / 2, top + room + (high - d) / 2, d, d);
}

QPointF ChartPoint(double az, double el, const QRectF& plot, ChartView view) {
    if (view == ChartView::Rectangular)
        return QPointF(plot.left() + plot.width() * az / 360.0,
                       plot.top() + plot.height() * (90.0 - el) / 90.0);
    const double r = plot.width() / 2 * (90.0 - el) / 90.0;
    return QPointF(plot.center().x() + r * std::sin(az * DegToRad),
                   plot.center().y() - r * std::cos(az * DegToRad));
}

void PaintSkyChart(QPainter& p, QSizeF size, const ChartScene& scene, ChartView view) {
    const double fs = FontPixels(size);
    const QRectF plot = PlotArea(size, view);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(QRectF(QPointF(0, 0), size), QColor(0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(C::Sky);
    if (view == ChartView::Rectangular)
        p.drawRect(plot);
    else
        p.drawEllipse(plot);
    p.setPen(C::Label);
    p.setFont(LabelFont(fs * 1.1, true));
    p.drawText(QRectF(0, fs * 0.3, size.width(), fs * 1.8), Qt::AlignHCenter | Qt::AlignVCenter,
               scene.Title);
    if (scene.ShowHorizon) PaintHorizon(p, plot, view, scene);
    PaintGrid(p, plot, view, fs);
    if (scene.ShowGeostationary) PaintBelt(p, plot, view, scene, fs);
    PaintTrack(p, plot, view, scene, fs);
    p.setPen(QPen(C::Event, fs * 0.18));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& e : scene.Events)
        p.drawEllipse(ChartPoint(e.x(), e.y(), plot, view), fs * 0.7, fs * 0.7);
    if (scene.Rotator) {
        // An open square where the rotator says it points: beside the
        // present position's ring and cross, never taken for them.
        const QPointF q = ChartPoint(scene.Rotator->x(), scene.Rotator->y(), plot, view);
        p.setPen(QPen(C::Rotator, fs * 0.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(q - QPointF(fs * 0.8, fs * 0.8), QSizeF(fs * 1.6, fs * 1.6)));
    }
    PaintLegend(p, plot, size, view, fs, scene.Rotator.has_value());
    p.restore();
}

std::optional<std::string> ExportSkyChart(const std::string& path, int width, int height,
                                          const ChartScene& scene, ChartView view) {
    if (width < 100 || height < 100 || width > 10000 || height > 10000)
        return "the size must lie between 100 and 10000 pixels each way";
    const QString name = QString::fromStdString(path);
    const bool svg = name.endsWith(".svg", Qt::CaseInsensitive);
    if (!svg && !name.endsWith(".png", Qt::CaseInsensitive))
        return "the file name must end in .png or .svg";
    QByteArray bytes;
    if (svg) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(width, height));
        generator.setViewBox(QRect(0, 0, width, height));
        generator.setTitle(scene.Title);
        generator.setDescription("kelvo sky chart");
        QPainter p(&generator);
        PaintSkyChart(p, QSizeF(width, height), scene, view);
    } else {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&image);
            PaintSkyChart(p, QSizeF(width, height), scene, view);
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return "the picture could not be encoded";
    }
    // A temporary file beside the target, renamed once everything is written.
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    if (file.write(bytes) != bytes.size()) {
        const std::string why = file.errorString().toStdString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString().toStdString();
    return std::nullopt;
}

}  // namespace kelvo
