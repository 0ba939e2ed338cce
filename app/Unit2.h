// The manual coordinates dialog: right ascension and declination in degrees
// and a name, written into the main window's state while they are typed.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TManual : public QDialog {
    Q_OBJECT
public:
    explicit TManual(QWidget* parent = nullptr);
    QLabel *Label1, *Label2, *Label3;  // captions of the three boxes
    QLineEdit* Edit1;       // right ascension, degrees, written to the state as typed
    QLineEdit* Edit2;       // declination, degrees, written to the state as typed
    QLineEdit* Edit3;       // source name (also the dialog's title)
    QPushButton* BitBtn1;   // OK: takes the three boxes
    QPushButton* BitBtn2;   // Restore: re-reads kelvo.cfg (the Sun at its default place)
    QFrame* Bevel1;         // etched frame round the boxes
    // The dialog's result when closed by Restore.
    static constexpr int ResultAll = 2;

public slots:
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void FormClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

extern TManual* Manual;
