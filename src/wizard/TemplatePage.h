#pragma once

#include "wizard/WizardPage.h"

class CTemplatePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CTemplatePage(QWidget *parent = nullptr);
    bool OnSetActive() override;

    // What this page loaded last: a template's list position (-1 none) or a
    // project file's path ("" none). Start New clears both to force a reload.
    int m_nLoadedTemplate = -1;
    QString m_strLoadedProject;
};
