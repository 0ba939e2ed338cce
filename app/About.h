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
    QFrame* Panel1;
    QLabel *Image1, *Label6, *Label5, *Label4, *Label3, *Label1, *Label2;
    QListWidget* ListBox1;
    QPushButton* BitBtn1;
};

extern TAboutBox* AboutBox;
