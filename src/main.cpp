#include "app/WizardApp.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    // Named after the program file itself, not the link it was started
    // through, so that settings and captions are the same however it starts.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    CWizardApp app;
    return app.InitInstance();
}
