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
    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit1, *Edit2, *Edit3;
    QPushButton *BitBtn1, *BitBtn2;
    QFrame* Bevel1;
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
