#include "Problems.h"

#include <QStyle>
#include <QVBoxLayout>

#include "Fonts.h"
#include "Icon.h"

TProblemList::TProblemList(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("kelvo: problems in the station's files");
    setWindowIcon(ProgramIcon());
    setFont(WindowFont(11));
    Label1 = new QLabel(
        "The program runs on with the values below. Mend the files and start it again.", this);
    Label1->setWordWrap(true);
    ListBox1 = new QListWidget(this);
    ListBox1->setFont(FixedFont(12));
    ListBox1->setWordWrap(true);
    BitBtn1 = new QPushButton("&Close", this);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);
    resize(640, 220);
}

void TProblemList::SetProblems(const QStringList& problems) {
    ListBox1->clear();
    ListBox1->addItems(problems);
    if (problems.isEmpty()) hide();
}
