// The help window: the fixed explanatory lines beside the main window.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);
    QListWidget* ListBox1;  // the 37 lines of help text
    QPushButton* BitBtn1;   // Close: hides the window
    // The outer size set by the constructor (frame included).
    QSize OuterSize;

protected:
    void showEvent(QShowEvent* event) override;
};

extern THelpForm* HelpForm;
