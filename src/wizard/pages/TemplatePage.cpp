#include "wizard/pages/TemplatePage.h"

#include "app/WaitCursor.h"
#include "app/WizardHost.h"
#include "html/read/PageImport.h"
#include "model/config/AppletParameters.h"
#include "store/project/ProjectFile.h"
#include "store/project/TemplateLibrary.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/dialogs/FileDialogs.h"
#include "wizard/widgets/MenuPicture.h"
#include "wizard/widgets/TemplateThumbnails.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CTemplatePage::CTemplatePage(CWizardHost &host, QWidget *parent)
    : CWizardPage(host, 132, QStringLiteral("Select a Template to Start Work"), 131, parent)
{
}

void CTemplatePage::BuildControls()
{
    m_radioTemplate = new QRadioButton(QStringLiteral("Create a New Menu from Template  "), this);
    m_radioTemplate->setObjectName(QStringLiteral("1056"));
    auto *explain = new QLabel(
        QStringLiteral("You can start from the templates that have been designed for you. Menu "
                       "style and item style  have been configurated in templates, and what you "
                       "have to do is to insert items into menu.  "),
        this);
    explain->setWordWrap(true);
    m_listTemplates = new QListWidget(this);
    m_listTemplates->setObjectName(QStringLiteral("1055"));
    m_listTemplates->setAccessibleName(QStringLiteral("Templates"));
    m_listTemplates->setSelectionMode(QAbstractItemView::SingleSelection);
    // Descriptions are sentences: wrap them rather than scroll sideways.
    m_listTemplates->setWordWrap(true);
    m_listTemplates->setAlternatingRowColors(true);
    m_listTemplates->setResizeMode(QListView::Adjust);
    m_listTemplates->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listTemplates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Each row shows its template as a picture beside the description,
    // drawn when the row first shows.
    m_thumbnails = new CTemplateThumbnails(QSize(120, 68), m_listTemplates);
    m_listTemplates->setItemDelegate(m_thumbnails);
    m_listTemplates->setSpacing(1);
    m_radioSaved = new QRadioButton(QStringLiteral("Open a HTML Saved by Vantrel "), this);
    m_radioSaved->setObjectName(QStringLiteral("1059"));
    auto *fileLabel = new QLabel(QStringLiteral("File Name:"), this);
    m_editFileName = new QLineEdit(this);
    m_editFileName->setObjectName(QStringLiteral("1057"));
    // Only shows the chosen page's path; it is never edited by hand.
    m_editFileName->setEnabled(false);
    fileLabel->setBuddy(m_editFileName);
    m_btnBrowse = new QPushButton(QStringLiteral("..."), this);
    m_btnBrowse->setObjectName(QStringLiteral("1007"));
    m_btnBrowse->setAccessibleName(QStringLiteral("Browse for a saved page"));
    m_btnBrowse->setAutoDefault(false);
    m_btnBrowse->setEnabled(false);
    m_btnBrowse->setMaximumWidth(
        m_btnBrowse->fontMetrics().horizontalAdvance(QStringLiteral(".....")) + 24);

    // The selected template drawn beside the list, so the choice is seen.
    m_pictureTemplate = new CMenuPicture(this);
    m_pictureTemplate->setObjectName(QStringLiteral("templatePicture"));
    m_pictureTemplate->setAccessibleName(QStringLiteral("Picture of the selected template"));

    auto *indented = new QVBoxLayout;
    indented->setContentsMargins(18, 0, 0, 0);
    indented->addWidget(explain);
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(m_listTemplates, 3);
    listRow->addWidget(m_pictureTemplate, 2);
    indented->addLayout(listRow, 1);
    auto *fileRow = new QHBoxLayout;
    fileRow->setContentsMargins(18, 0, 0, 0);
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_editFileName, 1);
    fileRow->addWidget(m_btnBrowse);

    QVBoxLayout *body = Body();
    body->addWidget(m_radioTemplate);
    body->addLayout(indented, 1);
    body->addWidget(m_radioSaved);
    body->addLayout(fileRow);

    // The choice is followed however it is made (mouse, keyboard, an
    // accessibility action or code), once; not while the page writes it.
    connect(m_radioTemplate, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !IsWriting())
            OnTemplateChoice();
    });
    connect(m_radioSaved, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !IsWriting())
            OnSavedChoice();
    });
    connect(m_btnBrowse, &QPushButton::clicked, this, &CTemplatePage::OnBrowse);
    connect(m_listTemplates, &QListWidget::itemSelectionChanged, this,
            &CTemplatePage::ShowSelectedTemplate);
}

void CTemplatePage::ShowSelectedTemplate()
{
    if (m_listTemplates->isEnabled())
        m_pictureTemplate->ShowTemplate(SelectedTemplate(), Host().TemplateLibraryPath());
    else
        m_pictureTemplate->Clear();
}

void CTemplatePage::DoDataExchange(CDataExchange &dx)
{
    dx.Radio({m_radioTemplate, m_radioSaved}, m_nStartChoice);
    dx.Text(m_editFileName, m_strFileName);
}

int CTemplatePage::SelectedTemplate() const
{
    const QList<QListWidgetItem *> selected = m_listTemplates->selectedItems();
    return selected.isEmpty() ? -1 : m_listTemplates->row(selected.constFirst());
}

bool CTemplatePage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_thumbnails->SetLibrary(Host().TemplateLibraryPath());
    m_listTemplates->addItems(ListTemplates(Host().TemplateLibraryPath()));
    m_nStartChoice = 0;
    m_strFileName.clear();
    m_nLoadedTemplate = -1;
    if (m_listTemplates->count() > 0)
        m_listTemplates->setCurrentRow(0);
    m_listTemplates->setFocus(Qt::OtherFocusReason);
    m_bTemplateLoaded = true;
    m_strProjectPath.clear();
    m_strLoadedProject.clear();
    UpdateData(false);
    return true;
}

bool CTemplatePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    UpdateData(false);
    // The list and the browse button follow the choice shown.
    m_listTemplates->setEnabled(m_nStartChoice != 1);
    m_btnBrowse->setEnabled(m_nStartChoice == 1);
    ShowSelectedTemplate();
    return CWizardPage::OnSetActive();
}

bool CTemplatePage::OnKillActive()
{
    // Keeps the choice when the user leaves with Back, so that it is shown
    // again on return.
    UpdateData(true);
    return CWizardPage::OnKillActive();
}

void CTemplatePage::OnTemplateChoice()
{
    m_listTemplates->setEnabled(true);
    m_listTemplates->setFocus(Qt::OtherFocusReason);
    if (SelectedTemplate() < 0 && m_listTemplates->count() > 0)
        m_listTemplates->setCurrentRow(0);
    m_btnBrowse->setEnabled(false);
    ShowSelectedTemplate();
}

void CTemplatePage::OnSavedChoice()
{
    m_listTemplates->setEnabled(false);
    m_btnBrowse->setEnabled(true);
    ShowSelectedTemplate();
    m_btnBrowse->setFocus(Qt::OtherFocusReason);
}

void CTemplatePage::OnBrowse()
{
    UpdateData(true);
    const QString path = AskOpenFile(Host().Ui(), this, EFileKind::Page,
                                     QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||"));
    if (path.isEmpty())
        return;
    OpenSavedPage(path);
}

bool CTemplatePage::OpenSavedPage(const QString &strPath)
{
    m_nStartChoice = 1;
    // A page counts as saved by this program when its project file exists;
    // one without it that carries the menu can be read back.
    m_strProjectPath = ProjectPathFor(strPath);
    m_bReadFromPage = false;
    bool opened = true;
    if (QFileInfo(m_strProjectPath).isFile()) {
        m_strFileName = strPath;
    } else if (OfferToReadPage(strPath)) {
        m_strFileName = strPath;
        m_bReadFromPage = true;
    } else {
        m_strFileName.clear();
        opened = false;
    }
    UpdateData(false);
    OnSavedChoice();
    return opened;
}

namespace {

QString NotSavedMessage()
{
    return QStringLiteral("This File is not saved by Vantrel!") + QLatin1Char('\n') + QStringLiteral("System can't open it.");
}

// The notes of a page read back, as many as a message box shows well.
QString NotesText(const QStringList &notes)
{
    constexpr qsizetype kShown = 12;
    QStringList lines = notes.mid(0, kShown);
    if (notes.size() > kShown)
        lines.append(QStringLiteral("... and %1 more").arg(notes.size() - kShown));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

bool CTemplatePage::OfferToReadPage(const QString &strPage)
{
    CAppletParameters read;
    CPageRead found;
    QByteArray bytes;
    QString error;
    {
        CWaitCursor wait;
        if (CPageReader::ReadPageFile(strPage, &bytes, &error))
            CPageReader(bytes, strPage).Read(read, &found);
    }
    if (found.found == CPageRead::EFound::Nothing) {
        Host().Ui().MessageBox(this, NotSavedMessage());
        return false;
    }
    const QString project = QFileInfo(m_strProjectPath).fileName();
    const QString text =
        found.found == CPageRead::EFound::SitePage
            ? QStringLiteral("This page carries the menu of a site, but no project file of Vantrel's.\n\n"
                             "Read the menu from the page? Finish then saves it as a page of its own, with a new "
                             "project file, in the site folder %1, and keeps the site's pages that carry this menu "
                             "up to date.")
                  .arg(QDir::toNativeSeparators(found.strSiteFolder))
            : QStringLiteral("The project file of this page is missing: %1.\n\n"
                             "Read the menu from the page? Finish then saves the page with a new project file "
                             "beside it.")
                  .arg(project);
    return Host().Ui().MessageBox(this, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool CTemplatePage::ReadChosenPage()
{
    CWizardHost &app = Host();
    CAppletParameters read;
    CPageImport import;
    QString error;
    bool ok = false;
    {
        CWaitCursor wait;
        ok = ImportPage(m_strFileName, read, &import, &error);
    }
    if (!ok || import.read.found == CPageRead::EFound::Nothing) {
        app.Ui().MessageBox(this, ok ? NotSavedMessage() : QStringLiteral("Can't read the page:\n%1").arg(error));
        return false;
    }
    CAppletParameters &params = app.Params();
    params.CopyFrom(read);
    // A page of its own is saved again where it is; a site page's menu
    // goes to a new page in the site folder, never over the author's page.
    params.m_strHTMLPath = import.strPagePath;
    params.m_strSavedPage = import.read.found == CPageRead::EFound::Page ? m_strFileName : QString();
    if (!import.read.notes.isEmpty())
        app.Ui().MessageBox(this, QStringLiteral("The menu was read from %1. Notes:\n%2")
                                      .arg(QFileInfo(m_strFileName).fileName(), NotesText(import.read.notes)));
    return true;
}

bool CTemplatePage::OnWizardNext()
{
    UpdateData(true);
    CWizardHost &app = Host();
    CAppletParameters &params = app.Params();
    if (m_nStartChoice == 0) {
        const int nSelected = SelectedTemplate();
        if (nSelected < 0) {
            app.Ui().MessageBox(this, QStringLiteral("Please select a template to new a menu!"));
            return false;
        }
        // The same template again: keep what the later pages changed.
        if (m_bTemplateLoaded && nSelected == m_nLoadedTemplate)
            return true;
        m_bTemplateLoaded = true;
        m_nLoadedTemplate = nSelected;
        {
            CWaitCursor wait;
            params.LoadTemplate(nSelected, app.TemplateLibraryPath());
        }
        params.m_strHTMLPath.clear();
        params.m_strSavedPage.clear();
        params.m_bSaved = 0;
        m_strFileName.clear();
        m_editFileName->clear();
        m_strLoadedProject.clear();
    } else {
        if (m_strFileName.isEmpty()) {
            app.Ui().MessageBox(this,
                                QStringLiteral("You must open a HTML file which is saved by Vantrel."));
            return false;
        }
        // The same project again: keep what the later pages changed.
        if (m_strLoadedProject == m_strProjectPath)
            return true;
        if (m_bReadFromPage) {
            if (!ReadChosenPage())
                return false;
        } else {
            CWaitCursor wait;
            params.LoadProject(m_strProjectPath);
            params.m_strHTMLPath = m_strFileName;
            params.m_strSavedPage = m_strFileName;
        }
        m_strLoadedProject = m_strProjectPath;
        params.m_bSaved = 0;
        m_nLoadedTemplate = -1;
        m_bTemplateLoaded = false;
    }
    NotifyStored();
    return true;
}
