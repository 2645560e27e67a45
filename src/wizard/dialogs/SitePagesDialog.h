#pragma once

#include "model/site/SitePage.h"

#include <QDialog>
#include <QSet>
#include <QString>
#include <QStringList>

class CWizardHost;
class QLabel;
class QPushButton;
class QTreeWidget;

// The author's own pages that carry the menu: added as files or as a folder
// (its .htm and .html files, those of its sub-folders too), removed, each
// shown with what the next save will do to it. The dialog works on a copy of
// the list; the caller takes Pages() when it is accepted, so Cancel leaves
// the project's list as it was. Removing a page that carries the menu offers
// to take the menu out of it too, which OK does (the page alone is written).
class CSitePagesDialog : public QDialog {
    Q_OBJECT
public:
    // strProjectPath: the project file, whose folder is the site folder;
    // strMenuPage: the page Vantrel writes whole, which is no site page.
    CSitePagesDialog(CWizardHost &host, const QString &strProjectPath, const QString &strMenuPage,
                     QWidget *parent = nullptr);

    const CSitePageList &Pages() const { return m_pages; }
    QString SiteFolder() const { return m_strSiteFolder; }

    // Adds the files at `paths` that are in the site folder and not listed
    // yet; the others are told in one message. Shown states are read anew.
    void AddPages(const QStringList &paths);
    void OnAddPages();
    void OnAddFolder();
    // Removes the selected pages; for those that carry the menu, asks
    // whether to take it out of them too (Cancel keeps them on the list).
    void OnRemove();
    // For the selected pages whose menu was edited by hand since the last
    // update: asks, then has the next Finish replace those edits with the
    // menu (what vantrel-gen site --force does), by forgetting what the
    // last update wrote there.
    void OnReplaceEdits();
    // The pages (relative to the site folder) whose menus OK takes out.
    const QStringList &TakeOutPages() const { return m_takeOut; }
    // Takes the menus out as chosen, then closes; stays open, saying why,
    // when a page cannot be written.
    void accept() override;
    // Reads every listed page and shows its state and the menu's place.
    void Refresh();

    QTreeWidget *m_listPages = nullptr;
    QPushButton *m_btnAddPages = nullptr;
    QPushButton *m_btnAddFolder = nullptr;
    QPushButton *m_btnRemove = nullptr;
    QPushButton *m_btnReplace = nullptr;
    QLabel *m_lblFolder = nullptr;
    QLabel *m_lblPlace = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CWizardHost &m_host;
    QString m_strProjectPath;
    QString m_strSiteFolder;
    QString m_strMenuPage;
    CSitePageList m_pages;
    // Pages whose hand edits the next Finish replaces.
    QSet<QString> m_replacing;

    // Replace My Edits is enabled while the selection holds such a page.
    void UpdateButtons();
    QStringList m_takeOut;
};

// The .htm and .html files of a folder and of its sub-folders (hidden ones
// left out), sorted by path.
QStringList PageFilesIn(const QString &strFolder);
