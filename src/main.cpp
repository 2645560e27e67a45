#include "app/QuitOnFirstPaint.h"
#include "app/WizardApp.h"
#include "wizard/MenuWizardSheet.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    // Named after the program file itself, not the link it was started
    // through, so that settings and captions are the same however it starts.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    CQuitOnFirstPaint quitter;
    if (qEnvironmentVariableIsSet("VANTREL_QUIT_ON_FIRST_PAINT"))
        qapp.installEventFilter(&quitter);
    CWizardApp app;
    app.InitInstance();
    // The process ends when the wizard closes.
    CMenuWizardSheet::RunModal(app);
    return 0;
}
