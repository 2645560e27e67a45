#include "app/QuitOnFirstPaint.h"
#include "app/StartArguments.h"
#include "app/WizardApp.h"
#include "wizard/sheet/MenuWizardSheet.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Help and the version are answered before Qt starts, so that they need
    // no display.
    {
        QStringList raw;
        for (int i = 0; i < argc; ++i)
            raw.append(QString::fromLocal8Bit(argv[i]));
        const CStartArguments asked = ParseStartArguments(raw);
        if (asked.bHelp) {
            std::fputs(StartUsage().toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (asked.bVersion) {
            std::puts("Vantrel " VANTREL_VERSION);
            return 0;
        }
    }
    QApplication qapp(argc, argv);
    // Named after the program file itself, not the link it was started
    // through, so that settings and captions are the same however it starts.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    const CStartArguments args = ParseStartArguments(QApplication::arguments());
    if (!args.strError.isEmpty()) {
        std::fprintf(stderr, "vantrel: %s\nTry 'vantrel --help'.\n", args.strError.toLocal8Bit().constData());
        return 2;
    }
    CQuitOnFirstPaint quitter;
    if (qEnvironmentVariableIsSet("VANTREL_QUIT_ON_FIRST_PAINT"))
        qapp.installEventFilter(&quitter);
    CWizardApp app;
    app.InitInstance();
    // The process ends when the wizard closes.
    CMenuWizardSheet::RunModal(app, args.strFile);
    return 0;
}
