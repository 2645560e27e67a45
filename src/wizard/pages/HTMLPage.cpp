#include "wizard/pages/HTMLPage.h"

#include "app/WizardHost.h"
#include "html/SiteBlock.h"
#include "html/SiteLinks.h"
#include "model/config/AppletParameters.h"
#include "model/site/SitePageMerge.h"
#include "render/Contrast.h"
#include "store/project/ProjectFile.h"
#include "store/site/SiteUpdate.h"
#include "wizard/dialogs/FileDialogs.h"
#include "wizard/dialogs/SitePagesDialog.h"
#include "wizard/widgets/StatusLine.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// A text box holds lines, not line ends: this is what it shows for a text.
QString ShownForm(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// The box's lines joined with the given line end, characters kept as typed
// (QPlainTextEdit::toPlainText would turn no-break spaces into spaces).
QString BoxText(const QPlainTextEdit *box, QLatin1String lineEnd)
{
    QStringList lines;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines.join(lineEnd);
}

} // namespace

QString SavedMessage(const QString &strPage, const QString &strProject, int beside)
{
    if (beside == 0)
        return QStringLiteral("Saved %1 and %2.").arg(strPage, strProject);
    return QStringLiteral("Saved %1, %2 and %3 %4 beside them.")
        .arg(strPage, strProject, QString::number(beside),
             beside == 1 ? QStringLiteral("file") : QStringLiteral("files"));
}

QString SitePagesUpdatedMessage(int nPages)
{
    return nPages == 1 ? QStringLiteral("Put the menu into 1 site page.")
                       : QStringLiteral("Put the menu into %1 site pages.").arg(nPages);
}

QString SitePagesKeptMessage(qsizetype nAdded, qsizetype nRemoved)
{
    auto pages = [](qsizetype n) {
        return n == 1 ? QStringLiteral("1 site page") : QStringLiteral("%1 site pages").arg(n);
    };
    if (nAdded > 0 && nRemoved > 0)
        return QStringLiteral("Kept %1 added and %2 removed by another program meanwhile.")
            .arg(pages(nAdded), pages(nRemoved));
    if (nAdded > 0)
        return QStringLiteral("Kept %1 added by another program meanwhile.").arg(pages(nAdded));
    if (nRemoved > 0)
        return QStringLiteral("Kept %1 removed by another program meanwhile.").arg(pages(nRemoved));
    return QString();
}

QString CopiedMenuCodeMessage(const QStringList &files)
{
    QStringList named = files.mid(0, 2);
    const qsizetype images = files.size() - named.size();
    if (images == 1)
        named << QStringLiteral("1 image");
    else if (images > 1)
        named << QStringLiteral("%1 images").arg(images);
    QString list = named.constLast();
    if (named.size() > 1)
        list = QStringList(named.mid(0, named.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" and ")
               + named.constLast();
    return QStringLiteral("Copied the menu code; copy %1 beside your page.").arg(list);
}

CHTMLPage::CHTMLPage(CWizardHost &host, QWidget *parent)
    : CWizardPage(host, 137, QStringLiteral("Congratulations,You just finished the work!"), 137, parent)
{
}

void CHTMLPage::BuildControls()
{
    auto *intro = new QLabel(
        QStringLiteral("You have finished the configuration of the Glidebar, and you can preview it now."), this);
    intro->setWordWrap(true);
    m_btnPreview = new QPushButton(QStringLiteral("Preview"), this);
    m_btnPreview->setObjectName(QStringLiteral("1038"));
    m_btnPreview->setAutoDefault(false);
    m_btnLivePreview = new QPushButton(QStringLiteral("Live Preview"), this);
    m_btnLivePreview->setObjectName(QStringLiteral("livePreview"));
    m_btnLivePreview->setAutoDefault(false);
    m_btnLivePreview->setToolTip(
        QStringLiteral("Live Preview (%1)")
            .arg(CWizardPageHost::LivePreviewShortcut().toString(QKeySequence::NativeText)));
    m_pPreviewRow = new QHBoxLayout;
    m_pPreviewRow->addWidget(m_btnPreview);
    m_pPreviewRow->addWidget(m_btnLivePreview);
    auto *top = new QHBoxLayout;
    top->addWidget(intro, 1);
    top->addLayout(m_pPreviewRow);
    Body()->addLayout(top);

    m_staticLowContrast = new QLabel(this);
    m_staticLowContrast->setObjectName(QStringLiteral("lowContrast"));
    m_staticLowContrast->setTextFormat(Qt::PlainText);
    m_staticLowContrast->setWordWrap(true);
    m_staticLowContrast->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_staticLowContrast->hide();
    Body()->addWidget(m_staticLowContrast);

    m_richHTML = new QPlainTextEdit(this);
    m_richHTML->setObjectName(QStringLiteral("1062"));
    m_richHTML->setAccessibleName(QStringLiteral("Page text"));
    m_richHTML->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab moves on to the buttons instead of typing into the page.
    m_richHTML->setTabChangesFocus(true);
    m_richHTML->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_richHTML->setTabStopDistance(4 * m_richHTML->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    Body()->addWidget(m_richHTML, 1);
    m_btnSitePages = new QPushButton(QStringLiteral("Site Pages..."), this);
    m_btnSitePages->setObjectName(QStringLiteral("sitePages"));
    m_btnSitePages->setAutoDefault(false);
    m_btnSitePages->setToolTip(QStringLiteral("Put this menu into pages of your own, kept up to date on each Finish"));
    m_btnCopyMenuCode = new QPushButton(QStringLiteral("Copy Menu Code"), this);
    m_btnCopyMenuCode->setObjectName(QStringLiteral("copyMenuCode"));
    m_btnCopyMenuCode->setAutoDefault(false);
    m_btnCopyMenuCode->setToolTip(QStringLiteral("Copy the menu for a page made in another program"));
    m_btnSave = new QPushButton(QStringLiteral("&Save"), this);
    m_btnSave->setObjectName(QStringLiteral("save"));
    m_btnSave->setAccessibleName(QStringLiteral("Save"));
    m_btnSave->setAutoDefault(false);
    m_lblStatus = new CStatusLine(this);
    Body()->addWidget(m_lblStatus);

    auto *closing = new QLabel(
        QStringLiteral("You can press finish button to save Glidebar into HTML file,and you can start a new "
                       "Glidebar by pressing the Start new button also."),
        this);
    closing->setWordWrap(true);
    m_btnStartNew = new QPushButton(QStringLiteral("Start New"), this);
    m_btnStartNew->setObjectName(QStringLiteral("1071"));
    m_btnStartNew->setAutoDefault(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(closing, 1);
    bottom->addWidget(m_btnSave, 0, Qt::AlignBottom);
    bottom->addWidget(m_btnSitePages, 0, Qt::AlignBottom);
    bottom->addWidget(m_btnCopyMenuCode, 0, Qt::AlignBottom);
    bottom->addWidget(m_btnStartNew, 0, Qt::AlignBottom);
    Body()->addLayout(bottom);

    connect(m_btnPreview, &QPushButton::clicked, this, &CHTMLPage::OnPreview);
    connect(m_btnLivePreview, &QPushButton::clicked, this, [this] {
        if (PageHost())
            PageHost()->ShowLivePreview();
    });
    connect(m_btnStartNew, &QPushButton::clicked, this, &CHTMLPage::OnStartNew);
    connect(m_btnSitePages, &QPushButton::clicked, this, &CHTMLPage::OnSitePages);
    connect(m_btnCopyMenuCode, &QPushButton::clicked, this, &CHTMLPage::OnCopyMenuCode);
    connect(m_btnSave, &QPushButton::clicked, this, [this] {
        QString said;
        if (SaveAgain(true, &said))
            m_lblStatus->Say(said);
    });
}

void CHTMLPage::UpdateSaveButton()
{
    if (!m_btnSave)
        return;
    const QString page = SavedPagePath();
    m_btnSave->setEnabled(!page.isEmpty());
    const QString keys = QKeySequence(Qt::CTRL | Qt::Key_S).toString(QKeySequence::NativeText);
    const QString what = page.isEmpty() ? QStringLiteral("Save again once the page has a name (%1)").arg(keys)
                                        : QStringLiteral("Save again to %1 (%2)")
                                              .arg(QDir::toNativeSeparators(page), keys);
    m_btnSave->setToolTip(what);
    m_btnSave->setAccessibleDescription(what);
}

void CHTMLPage::UpdateData(bool bSave)
{
    if (!bSave) {
        m_richHTML->setPlainText(ShownForm(m_strHTML));
        return;
    }
    // An unedited box gives back the text it was given, byte for byte; an
    // edited one is taken with CR LF line ends.
    if (BoxText(m_richHTML, QLatin1String("\n")) != ShownForm(m_strHTML))
        m_strHTML = BoxText(m_richHTML, QLatin1String("\r\n"));
}

void CHTMLPage::Generate()
{
    m_strHTML = Host().Params().GenerateHTML([this](const QString &message) {
        Host().Ui().MessageBox(this, message);
    });
}

void CHTMLPage::ShowLowContrast()
{
    // Looks belong to a menu and a state, not to single items: one line for
    // each look that some item shows.
    static const char *const kStates[3] = {"Normal", "Mouse Move", "Mouse Click"};
    QStringList lines;
    for (const CLowContrastLook &low : LowContrastLooks(Host().Params()))
        lines << QStringLiteral("Low contrast: %1, %2: %3 (needs %4)")
                     .arg(low.bSub ? QStringLiteral("Sub menus") : QStringLiteral("Main menu"),
                          QLatin1String(kStates[low.nState - 1]), FormatRatio(low.contrast.ratio),
                          FormatRatio(low.contrast.required));
    if (!lines.isEmpty())
        lines << QStringLiteral("Some visitors cannot read this text well: choose colours further apart on the "
                                "item style pages.");
    // Site pages: menu links to files the site folder does not hold (a page
    // renamed or moved); the update writes the pages all the same.
    const QString project = SiteProjectPath();
    if (!Host().Params().m_SitePages.isEmpty() && !project.isEmpty())
        for (const QString &link : MissingSiteLinks(Host().Params(), QFileInfo(project).absolutePath()))
            lines << MissingSiteLinkWarning(link);
    m_staticLowContrast->setText(lines.join(QLatin1Char('\n')));
    m_staticLowContrast->setVisible(!lines.isEmpty());
}

bool CHTMLPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    m_lblStatus->Clear();
    Generate();
    UpdateData(false);
    ShowLowContrast();
    UpdateSaveButton();
    return CWizardPage::OnSetActive();
}

bool CHTMLPage::OnWizardBack()
{
    // Going back always leaves the saved state.
    Host().Params().m_bSaved = 0;
    return true;
}

bool CHTMLPage::OnWizardFinish()
{
    SaveAs();
    return false;
}

bool CHTMLPage::SaveAs(bool *pFailed)
{
    if (pFailed)
        *pFailed = false;
    CWizardHost &app = Host();
    const QString chosen = AskSavePage(app.Ui(), this, QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||"),
                                       app.Params().m_strHTMLPath);
    if (chosen.isEmpty())
        return false;
    UpdateData(true);
    QString said;
    if (!SaveTo(chosen, pFailed, &said))
        return false;
    m_lblStatus->Say(said);
    return true;
}

QString CHTMLPage::SavedPagePath() const
{
    const CAppletParameters &params = Host().Params();
    const QString page = params.m_strSavedPage.isEmpty() ? params.m_strHTMLPath : params.m_strSavedPage;
    return page.isEmpty() ? QString() : QFileInfo(page).absoluteFilePath();
}

bool CHTMLPage::SaveAgain(bool bFromBox, QString *pSaid)
{
    CWizardHost &app = Host();
    QString page = SavedPagePath();
    // A menu never saved is named as Finish names it, the replace question
    // included.
    if (page.isEmpty())
        page = AskSavePage(app.Ui(), this, QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||"),
                           app.Params().m_strHTMLPath);
    if (page.isEmpty())
        return false;
    if (bFromBox && m_richHTML)
        UpdateData(true);
    else
        Generate();
    return SaveTo(page, nullptr, pSaid);
}

bool CHTMLPage::SaveTo(const QString &strPath, bool *pFailed, QString *pSaid)
{
    if (pFailed)
        *pFailed = false;
    CWizardHost &app = Host();
    const QFileInfo info(strPath);
    QString error;
    QStringList beside;
    if (m_lblStatus)
        m_lblStatus->Clear();
    const QString projectPath = ProjectPathFor(info.absoluteFilePath());
    // Site pages are named from the project's folder: saved in another
    // folder, the project names the same files from there.
    CAppletParameters &params = app.Params();
    CSitePageList &sitePages = params.m_SitePages;
    const CSitePageList sitePagesBefore = sitePages;
    const QString previousProject = SiteProjectPath();
    const bool sameProject =
        !previousProject.isEmpty()
        && QDir::cleanPath(QFileInfo(previousProject).absoluteFilePath()) == QDir::cleanPath(projectPath);
    if (!previousProject.isEmpty() && !sameProject && !sitePages.isEmpty()) {
        const QDir from = QFileInfo(previousProject).absoluteDir();
        const QDir to = info.absoluteDir();
        for (CSitePage &page : sitePages)
            page.strPath = QDir::cleanPath(to.relativeFilePath(from.absoluteFilePath(page.strPath)));
    }
    // The project file is read again just before it is replaced: site
    // pages another program (vantrel-gen site) added or removed meanwhile
    // stay added or removed.
    CSitePageMerge merge;
    CSitePageList onFile;
    if (sameProject && ReadProjectSitePages(projectPath, &onFile)) {
        merge = MergeSitePages(params.m_SitePagesOnFile, sitePages, onFile);
        sitePages = merge.pages;
    }
    if (!SavePage(info.absoluteFilePath(), info.absolutePath(), params, m_strHTML, app.AppDir(), &error,
                  &beside)) {
        sitePages = sitePagesBefore;
        QString message = QStringLiteral("Save as file failed!");
        if (!error.isEmpty())
            message += QLatin1Char('\n') + error;
        app.Ui().MessageBox(this, message);
        if (pFailed)
            *pFailed = true;
        return false;
    }
    params.m_bSaved = 1;
    params.m_strSavedPage = info.absoluteFilePath();
    params.m_SitePagesOnFile = sitePages;
    UpdateSaveButton();
    if (!merge.conflicts.isEmpty())
        app.Ui().MessageBox(this, QStringLiteral("Another program changed the site pages of %1 while it was open "
                                                 "here. These pages changed both ways and are no longer site "
                                                 "pages:\n%2")
                                      .arg(QFileInfo(projectPath).fileName(), merge.conflicts.join(QLatin1Char('\n'))));
    QString said = SavedMessage(info.fileName(), QFileInfo(projectPath).fileName(), static_cast<int>(beside.size()));
    const QString kept = SitePagesKeptMessage(merge.added.size(), merge.removed.size());
    if (!kept.isEmpty())
        said += QLatin1Char(' ') + kept;
    // The page and its project are saved whatever becomes of the site pages,
    // which a failed update leaves as they were; the next Finish tries again.
    int updated = 0;
    if (!sitePages.isEmpty() && UpdateSitePages(projectPath, &updated)) {
        said += QLatin1Char(' ') + SitePagesUpdatedMessage(updated);
        params.m_SitePagesOnFile = sitePages;
    }
    if (pSaid)
        *pSaid = said;
    return true;
}

QString CHTMLPage::SiteProjectPath() const
{
    const QString page = SavedPagePath();
    return page.isEmpty() ? QString() : ProjectPathFor(page);
}

bool CHTMLPage::UpdateSitePages(const QString &strProjectPath, int *pUpdated)
{
    CWizardHost &app = Host();
    CSiteUpdate site(strProjectPath, app.Params());
    QString error;
    bool done = site.Choose(QStringList(), &error);
    if (done) {
        site.Read();
        // Missing images were told as the page was made.
        done = site.Save(SiteBlockMaker(app.Params()), app.AppDir(), false, &error);
    }
    if (!done) {
        app.Ui().MessageBox(this, QStringLiteral("The site pages were not updated:\n%1").arg(error));
        return false;
    }
    if (pUpdated)
        *pUpdated = static_cast<int>(site.Pages().size());
    return true;
}

void CHTMLPage::OnSitePages()
{
    CWizardHost &app = Host();
    if (SiteProjectPath().isEmpty()) {
        const auto answer = app.Ui().MessageBox(
            this,
            QStringLiteral("Site pages are kept in the folder of this page and its project file, or in folders "
                           "below it. Save the page now?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes || !SaveAs())
            return;
    }
    const QString projectPath = SiteProjectPath();
    CSitePagesDialog dialog(app, projectPath, SavedPagePath(), this);
    if (app.Ui().ExecDialog(dialog) != QDialog::Accepted || dialog.Pages() == app.Params().m_SitePages)
        return;
    app.Params().m_SitePages = dialog.Pages();
    app.Params().m_bSaved = 0;
    const qsizetype n = dialog.Pages().size();
    m_lblStatus->Say(n == 0 ? QStringLiteral("No site pages: Finish saves this page only.")
                            : n == 1 ? QStringLiteral("1 site page: Finish puts the menu into it.")
                                     : QStringLiteral("%1 site pages: Finish puts the menu into each.").arg(n));
}

void CHTMLPage::OnCopyMenuCode()
{
    CWizardHost &app = Host();
    QStringList files;
    const QString code = MenuCodeText(app.Params(), app.AppDir(), &files);
    QGuiApplication::clipboard()->setText(code);
    m_lblStatus->Say(CopiedMenuCodeMessage(files));
}

void CHTMLPage::OnPreview()
{
    // The text as generated (or as last saved): edits not yet saved stay out.
    Host().PreviewPage(m_strHTML, this);
}

void CHTMLPage::OnStartNew()
{
    CWizardHost &app = Host();
    if (!app.Params().m_bSaved) {
        const auto answer =
            app.Ui().MessageBox(this, QStringLiteral("Save current Glidebar before starting a new Glidebar?"),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        bool failed = false;
        if (answer == QMessageBox::Yes)
            SaveAs(&failed);
        else if (answer != QMessageBox::No)
            return;
        // The write failed: starting anew would lose this menu.
        if (failed)
            return;
    }
    // The next menu is a new one until it is saved or a page is opened.
    app.Params().m_strSavedPage.clear();
    if (PageHost())
        PageHost()->StartNew();
}

bool CHTMLPage::OnQueryCancel()
{
    CWizardHost &app = Host();
    bool failed = false;
    if (!app.Params().m_bSaved
        && app.Ui().MessageBox(this, QStringLiteral("Save Glidebar in HTML file?"),
                               QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        // The configuration's own text is saved: edits in the box are dropped.
        Generate();
        UpdateData(false);
        SaveAs(&failed);
    }
    // A failed write keeps the wizard open, so the menu is not lost; a
    // cancelled file dialog closes it as asked.
    return !failed;
}

void CHTMLPage::OnCancel()
{
    Host().ClearScratchFolder();
}
