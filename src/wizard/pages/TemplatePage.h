#pragma once

#include "wizard/pages/WizardPage.h"

class CMenuPicture;
class CTemplateThumbnails;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Where the configuration comes from: a template of the library, or a page
// saved earlier, reopened through its project file. Next loads the chosen
// source, unless that same source is what this page loaded last, so that
// going back and forward keeps the later pages' edits. A page whose project
// file is missing, but which carries the menu (a page of its own or a site
// page's menu block), is offered to be read back from the page itself.
class CTemplatePage : public CWizardPage {
    Q_OBJECT
public:
    explicit CTemplatePage(CWizardHost &host, QWidget *parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnWizardNext() override;
    // Chooses "a saved page" with the page at strPath, as Browse does once
    // the page is picked: false, after telling the user, when it has no
    // project file beside it.
    bool OpenSavedPage(const QString &strPath);

    // What this page loaded last: a project file's path ("" none) or a
    // template's list position (-1 none). Start New clears both to force a
    // reload.
    QString m_strLoadedProject;
    QString m_strProjectPath;
    int m_nLoadedTemplate = -1;
    bool m_bTemplateLoaded = false;
    QListWidget *m_listTemplates = nullptr;
    QLineEdit *m_editFileName = nullptr;
    QPushButton *m_btnBrowse = nullptr;
    QRadioButton *m_radioTemplate = nullptr;
    QRadioButton *m_radioSaved = nullptr;
    CMenuPicture *m_pictureTemplate = nullptr;
    // Draws each row's picture of its template.
    CTemplateThumbnails *m_thumbnails = nullptr;
    // 0: a new menu from a template; 1: a saved page; -1 until first shown.
    int m_nStartChoice = -1;
    QString m_strFileName;
    // True when the chosen page has no project file and its menu is read
    // from the page itself.
    bool m_bReadFromPage = false;

private:
    void BuildControls() override;
    void DoDataExchange(CDataExchange &dx) override;
    void OnBrowse();
    // For a page without its project file: when it carries the menu, asks
    // whether to read the menu from the page; false when it does not, or
    // the user says no.
    bool OfferToReadPage(const QString &strPage);
    // Next with a page whose menu is read from it; false when it cannot be.
    bool ReadChosenPage();
    void OnTemplateChoice();
    void OnSavedChoice();
    // Draws the selected template, or nothing while a saved page is chosen.
    void ShowSelectedTemplate();
    // The selected list row, -1 when none is selected.
    int SelectedTemplate() const;
};
