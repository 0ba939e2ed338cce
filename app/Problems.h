// The list of problems found in the station's files: a plain window beside
// the main window that never blocks it (the update cycle runs on).
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

class TProblemList : public QWidget {
    Q_OBJECT
public:
    explicit TProblemList(QWidget* parent = nullptr);
    QLabel* Label1;         // what the list is and what the program does about it
    QListWidget* ListBox1;  // one problem a line: file, line, what was read, what is used
    QPushButton* BitBtn1;   // Close: hides the window

    // Shows these problems (hides the window when there are none).
    void SetProblems(const QStringList& problems);
};
