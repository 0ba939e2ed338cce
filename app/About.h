// The about box: program name, version and credits.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    QFrame* Panel1;         // raised panel round the picture and the names
    QLabel* Image1;         // the program's picture
    QLabel* Label6;         // program name "KELVO.EXE"
    QLabel* Label5;         // version and date
    QLabel* Label4;         // licence line
    QLabel *Label3, *Label1, *Label2;  // the group and the station
    QListWidget* ListBox1;  // credits
    QPushButton* BitBtn1;   // OK: closes the box
};

extern TAboutBox* AboutBox;
