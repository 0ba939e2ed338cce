#include "Unit2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QStyle>

#include "Doruruve.h"
#include "EphemerisConstants.h"
#include "Fonts.h"
#include "Text.h"
#include "WindowSize.h"

using namespace kelvo;

TManual* Manual = nullptr;

TManual::TManual(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Manual Coordinates");
    setFont(WindowFont(11));
    move(192, 108);
    resize(239, 179);  // outer size; see showEvent

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(0, 8, 225, 137);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    const QFont labelFont = FixedFont(13);
    auto label = [&](const QString& text, int l, int t, int w, int h) {
        auto* q = new QLabel(text, this);
        q->setGeometry(l, t, w, h);
        q->setFont(labelFont);
        return q;
    };
    auto edit = [&](int l, int t, int w, int h) {
        auto* e = new QLineEdit(this);
        e->setGeometry(l, t, w, h);
        e->setMaxLength(TextBufferSize - 1);  // the 40-character buffers
        e->installEventFilter(this);
        return e;
    };
    Label1 = label(QString::fromLatin1("Rightascension [\xB0]"), 9, 24, 144, 16);
    Edit1 = edit(160, 16, 57, 21);
    Label2 = label(QString::fromLatin1("Declination [\xB0]"), 8, 56, 120, 16);
    Edit2 = edit(160, 48, 57, 21);
    Label3 = label("Sourcename", 8, 88, 80, 16);
    Edit3 = edit(112, 80, 105, 21);
    Edit1->setToolTip("Degrees (83.633) or hours: 5h34m31.9s, 5.575h, 05:34:31.9");
    Edit2->setToolTip("Degrees (22.0145) or +22:00:52, 22d00m52s");

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setGeometry(8, 112, 73, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("&Restore", this);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    BitBtn2->setGeometry(136, 112, 81, 25);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    connect(Edit1, &QLineEdit::textChanged, this, &TManual::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TManual::Edit2Change);
    connect(Edit3, &QLineEdit::textChanged, this, &TManual::Edit3Change);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        BitBtn1Click();
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        BitBtn2Click();
        done(ResultAll);
    });
}

// Click, focus enter and focus exit run the box's handler as a change does.
// Focus that comes or goes with the whole window (opening, closing, another
// window activated) is no entering or leaving of the box: after Restore the
// boxes must not write their texts back.
bool TManual::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    bool run = t == QEvent::MouseButtonPress;
    if (t == QEvent::FocusIn || t == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        run = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
              reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    }
    if (run) {
        if (watched == Edit1) Edit1Change();
        if (watched == Edit2) Edit2Change();
        if (watched == Edit3) Edit3Change();
    }
    return QDialog::eventFilter(watched, event);
}

namespace {

// Marks a box whose text cannot be taken: a reddish background and the
// reason as its tooltip; the last valid value stays in use.
void MarkBox(QLineEdit* box, const std::string& problem) {
    const bool invalid = !problem.empty();
    if (box->property("invalid").toBool() == invalid && box->toolTip().toStdString() == problem)
        return;
    box->setProperty("invalid", invalid);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, invalid ? QColor(255, 200, 200)
                                       : QApplication::palette().color(QPalette::Base));
    box->setPalette(p);
    box->setToolTip(invalid ? QString::fromStdString(problem +
                                                     "; the last valid value stays in use")
                            : QString());
}

}  // namespace

void TManual::Edit1Change() {
    if (!Form1) return;
    const TypedAngle a = TypedRightAscension(Edit1->text().toLatin1().toStdString());
    MarkBox(Edit1, a.Problem);
    if (a.Problem.empty()) Form1->State.SourceRa = a.Degrees * EphemerisConstants::DegToRad;
}

void TManual::Edit2Change() {
    if (!Form1) return;
    const TypedAngle a = TypedDeclination(Edit2->text().toLatin1().toStdString());
    MarkBox(Edit2, a.Problem);
    if (a.Problem.empty()) Form1->State.SourceDec = a.Degrees * EphemerisConstants::DegToRad;
}

void TManual::Edit3Change() {
    const QByteArray name = Edit3->text().toLatin1();
    if (Form1) SetText(Form1->State.SourceName, name.toStdString());
    setWindowTitle(QString::fromLatin1(name.left(TextBufferSize - 1)));
}

void TManual::BitBtn1Click() {
    Edit1Change();
    Edit2Change();
    Edit3Change();
}

void TManual::BitBtn2Click() {
    if (!Form1) return;
    Form1->ReadSiteConfiguration();
    Form1->repaint();
}

void TManual::FormClose() {}

void TManual::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResizeOuterOnShow(this, QSize(239, 179));
}

// The window's own close control hides the dialog: like OK, the typed values
// stay in effect.
void TManual::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}
