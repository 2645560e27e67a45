// The start-up benchmark's peer: a dialog holding one label, closed as soon
// as it has painted for the first time (as the wizard does under
// VANTREL_QUIT_ON_FIRST_PAINT).
#include "app/QuitOnFirstPaint.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CQuitOnFirstPaint quitter;
    app.installEventFilter(&quitter);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Welcome"), &dialog));
    dialog.exec();
    return 0;
}
