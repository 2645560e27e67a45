#pragma once

#include "wizard/pages/WizardPage.h"

#include <QString>
#include <QStringList>

class CStatusLine;
class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The last page: the generated page text, which the user may edit, with
// Preview, Finish (save under a chosen name; the wizard stays open) and
// Start New (back to the template page).
class CHTMLPage : public CWizardPage {
    Q_OBJECT
public:
    explicit CHTMLPage(CWizardHost &host, QWidget *parent = nullptr);

    bool OnSetActive() override;
    bool OnWizardBack() override;
    bool OnWizardFinish() override;
    bool OnQueryCancel() override;
    void OnCancel() override;

    // Asks for a file name and saves the page there; true when it was saved.
    // *pFailed (when given) tells a failed write from a cancelled dialog.
    bool SaveAs(bool *pFailed = nullptr);
    // Save (Ctrl+S on any page, the Save button here): writes what Finish
    // would write to the page this menu was opened from or last saved to,
    // without the file dialog or the replace question; a menu never saved
    // asks for a name as Finish does. bFromBox: the text as shown (and
    // edited) on this page, else the configuration's page text. The status
    // line's words go to *pSaid. True when saved.
    bool SaveAgain(bool bFromBox, QString *pSaid);
    // The page Save writes to; empty for a menu never saved or opened.
    QString SavedPagePath() const;
    void OnPreview();
    void OnStartNew();
    // Opens the site pages dialog; the page is saved first when it has no
    // folder yet, as the site folder is the project's.
    void OnSitePages();
    // Puts the menu code (MenuCodeText) on the clipboard.
    void OnCopyMenuCode();

    // The row that holds the Preview button, for buttons that go beside it.
    QHBoxLayout *PreviewButtonRow() const { return m_pPreviewRow; }

    QPushButton *m_btnPreview = nullptr;   // 1038
    QPushButton *m_btnLivePreview = nullptr;
    QPlainTextEdit *m_richHTML = nullptr;  // 1062
    QPushButton *m_btnStartNew = nullptr;  // 1071
    QPushButton *m_btnSitePages = nullptr;
    QPushButton *m_btnCopyMenuCode = nullptr;
    // Save again to SavedPagePath(); disabled while there is none.
    QPushButton *m_btnSave = nullptr;
    // What the last save wrote.
    CStatusLine *m_lblStatus = nullptr;
    // The item looks whose text falls below contrast level AA, one line
    // each; hidden when every look reaches it.
    QLabel *m_staticLowContrast = nullptr;
    // The page text that a save or a preview writes.
    QString m_strHTML;

private:
    void BuildControls() override;
    // Members -> text box, or text box -> m_strHTML.
    void UpdateData(bool bSave);
    // m_strHTML = the configuration's page text; missing images are reported.
    void Generate();
    void ShowLowContrast();
    // The project file whose folder is the site folder: that of the page
    // last saved here, else of the page opened; empty when neither is known.
    QString SiteProjectPath() const;
    // Puts the menu into the project's site pages after a save; false, with
    // the reasons told, when nothing of it was written.
    bool UpdateSitePages(const QString &strProjectPath, int *pUpdated);
    // Saves m_strHTML as the page at strPath, with everything Finish
    // writes beside it; the status line's words go to *pSaid.
    bool SaveTo(const QString &strPath, bool *pFailed, QString *pSaid);
    // Save's button: enabled, and its tooltip naming the page, when there
    // is a page to save to.
    void UpdateSaveButton();

    QHBoxLayout *m_pPreviewRow = nullptr;
};

// The status line's words for a save: "Saved menu.htm, menu.qdx and 3 files
// beside them." (`beside` counts the files placed next to the page).
QString SavedMessage(const QString &strPage, const QString &strProject, int beside);
// What the status line adds when the site pages were updated too.
QString SitePagesUpdatedMessage(int nPages);
// What the status line adds when another program added or removed site
// pages in the project file since it was read here ("" when none).
QString SitePagesKeptMessage(qsizetype nAdded, qsizetype nRemoved);
// The status line's words after Copy Menu Code: `files` as MenuCodeText
// names them (the script, the class file, then the images).
QString CopiedMenuCodeMessage(const QStringList &files);
