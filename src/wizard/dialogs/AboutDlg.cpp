#include "wizard/dialogs/AboutDlg.h"
#include "app/ProgramIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About Vantrel"));

    auto *icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setAccessibleName(QStringLiteral("Vantrel icon"));
    auto *version = new QLabel(QStringLiteral("Vantrel Version 1.0"), this);
    auto *notice = new QLabel(QStringLiteral("Builds web pages with a Glidebar menu applet, step by step."), this);
    notice->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(version);
    text->addWidget(notice);
    auto *row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
