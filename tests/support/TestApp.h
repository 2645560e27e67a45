#pragma once

#include "ScriptedUi.h"
#include "TestFiles.h"
#include "app/WizardApp.h"
#include "wizard/sheet/MenuWizardSheet.h"

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
    // Opens the sheet on one of its pages (`&CMenuWizardSheet::m_pageGeneral`),
    // entered from the template page as the user reaches it, which enables
    // Back and Next.
    template <typename Page> Page &OpenSheetAt(Page CMenuWizardSheet::*page)
    {
        CMenuWizardSheet &shown = OpenSheet();
        shown.SetActivePage(&shown.m_pageTemplate);
        shown.SetActivePage(&(shown.*page));
        return shown.*page;
    }
    void CloseSheet();

    CWizardApp app;
    CScriptedUi *ui; // owned by app
    std::unique_ptr<CMenuWizardSheet> sheet;
};

// Finds a child widget of `parent` by its object name (control id).
template <typename T> T *Control(QWidget *parent, const char *id)
{
    return parent->findChild<T *>(QString::fromLatin1(id));
}
