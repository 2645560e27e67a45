#pragma once

#include "ScriptedUi.h"
#include "app/WizardApp.h"
#include "wizard/MenuWizardSheet.h"

#include <QTemporaryDir>
#include <memory>

// The application as the tests run it: program folder = the build's bin
// folder (with the shipped files beside it) unless a test moves it, scripted
// dialogs, and settings kept in a folder of the test's own.
class CTestApp {
public:
    CTestApp();
    ~CTestApp();

    // Makes the wizard sheet, registers it with the application and shows it
    // on its first page.
    CMenuWizardSheet &OpenSheet();
    void CloseSheet();

    CWizardApp app;
    CScriptedUi *ui; // owned by app
    std::unique_ptr<CMenuWizardSheet> sheet;
};

// Reads the whole of a file (empty when missing).
QByteArray ReadFileBytes(const QString &path);
// Writes a file, creating its folder; returns false on failure.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);

// Finds a child widget of `parent` by its object name (control id).
template <typename T> T *Control(QWidget *parent, const char *id)
{
    return parent->findChild<T *>(QString::fromLatin1(id));
}
