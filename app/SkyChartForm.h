// The sky chart window: the day of the selected source large, resizable and
// labelled, as a rectangular or a polar chart, updated with the main
// window's cycle; PNG and SVG export at a chosen size.
#pragma once

#include <QCheckBox>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>
#include <functional>
#include <optional>

#include "SkyChartPainter.h"

// The chart itself: drawn into an off-screen image at the screen's
// device-pixel ratio, painted on every repaint.
class TSkyChartView : public QWidget {
    Q_OBJECT
public:
    explicit TSkyChartView(QWidget* parent);
    void SetScene(const kelvo::ChartScene& scene, kelvo::ChartView view);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Render();
    kelvo::ChartScene scene_;
    kelvo::ChartView view_ = kelvo::ChartView::Rectangular;
    QImage image_;
};

class TSkyChartForm : public QWidget {
    Q_OBJECT
public:
    explicit TSkyChartForm(QWidget* parent = nullptr);
    TSkyChartView* Chart;     // the chart
    QCheckBox* Polar;         // polar view of the sky dome instead of the rectangular chart
    QSpinBox* ExportWidth;    // export size, pixels
    QSpinBox* ExportHeight;
    QPushButton* SavePng;     // export as PNG
    QPushButton* SaveSvg;     // export as SVG

    // Shows this scene (from the main window's cycle).
    void SetScene(const kelvo::ChartScene& scene);
    kelvo::ChartView View() const;

    // The file prompt and the error box; tests replace them.
    std::function<std::optional<QString>(const QString& filter)> AskFileName;
    std::function<void(const QString&)> ShowError;

public slots:
    void PolarClick();
    void SavePngClick();
    void SaveSvgClick();

private:
    void Export(const QString& filter);
    kelvo::ChartScene scene_;
};
