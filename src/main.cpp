#include "app/WizardApp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    CWizardApp app;
    return app.InitInstance();
}
