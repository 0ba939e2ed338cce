#include "SkyChartForm.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>

#include "Fonts.h"
#include "Icon.h"

using namespace kelvo;

TSkyChartView::TSkyChartView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 200);
}

void TSkyChartView::SetScene(const ChartScene& scene, ChartView view) {
    scene_ = scene;
    view_ = view;
    Render();
    update();
}

void TSkyChartView::Render() {
    // As many image pixels as the screen has: sharp on high-DPI screens.
    const qreal ratio = devicePixelRatioF();
    image_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
    QPainter p(&image_);
    PaintSkyChart(p, QSizeF(size()), scene_, view_);
}

void TSkyChartView::resizeEvent(QResizeEvent*) { Render(); }

void TSkyChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

TSkyChartForm::TSkyChartForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("kelvo: sky chart");
    setWindowIcon(ProgramIcon());
    setFont(WindowFont(12));
    Chart = new TSkyChartView(this);
    Polar = new QCheckBox("Polar view", this);
    Polar->setToolTip("The sky dome: zenith in the centre, north up, east to the right");
    ExportWidth = new QSpinBox(this);
    ExportHeight = new QSpinBox(this);
    for (QSpinBox* box : {ExportWidth, ExportHeight}) {
        box->setRange(100, 10000);
        box->setSuffix(" px");
    }
    ExportWidth->setValue(1600);
    ExportHeight->setValue(1000);
    SavePng = new QPushButton("Save PNG...", this);
    SaveSvg = new QPushButton("Save SVG...", this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(Polar);
    bar->addStretch(1);
    bar->addWidget(new QLabel("Export size", this));
    bar->addWidget(ExportWidth);
    bar->addWidget(new QLabel("x", this));
    bar->addWidget(ExportHeight);
    bar->addWidget(SavePng);
    bar->addWidget(SaveSvg);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(Chart, 1);
    resize(800, 500);

    connect(Polar, &QCheckBox::clicked, this, &TSkyChartForm::PolarClick);
    connect(SavePng, &QPushButton::clicked, this, &TSkyChartForm::SavePngClick);
    connect(SaveSvg, &QPushButton::clicked, this, &TSkyChartForm::SaveSvgClick);
    AskFileName = [this](const QString& filter) -> std::optional<QString> {
        const QString name = QFileDialog::getSaveFileName(this, "Save the sky chart", QString(),
                                                          filter, nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        if (name.isEmpty()) return std::nullopt;
        return name;
    };
    ShowError = [this](const QString& text) { QMessageBox::warning(this, QString(), text); };
}

ChartView TSkyChartForm::View() const {
    return Polar->isChecked() ? ChartView::Polar : ChartView::Rectangular;
}

void TSkyChartForm::SetScene(const ChartScene& scene) {
    scene_ = scene;
    Chart->setToolTip(scene.Note);
    Chart->SetScene(scene_, View());
}

void TSkyChartForm::PolarClick() { Chart->SetScene(scene_, View()); }

void TSkyChartForm::SavePngClick() { Export("PNG picture (*.png)"); }
void TSkyChartForm::SaveSvgClick() { Export("SVG drawing (*.svg)"); }

void TSkyChartForm::Export(const QString& filter) {
    const std::optional<QString> chosen = AskFileName(filter);
    if (!chosen) return;
    QString name = *chosen;
    const QString ending = filter.contains("svg") ? ".svg" : ".png";
    if (!name.endsWith(ending, Qt::CaseInsensitive)) name += ending;
    if (auto error = ExportSkyChart(name.toStdString(), ExportWidth->value(),
                                    ExportHeight->value(), scene_, View()))
        ShowError("The sky chart could not be saved:\n" + QString::fromStdString(*error));
}
