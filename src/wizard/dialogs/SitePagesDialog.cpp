#include "wizard/dialogs/SitePagesDialog.h"

#include "app/WizardHost.h"
#include "model/config/AppletParameters.h"
#include "store/site/SitePageText.h"
#include "store/site/SiteUpdate.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kPageFilter = QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||");

enum EColumn { kColPage, kColState, kColPlace, kColumns };
// A row's page may have its hand edits replaced (its state is "changed
// since the last update").
constexpr int kRoleEdited = Qt::UserRole + 1;

// Where the menu goes in a page as it is now.
QString PlaceText(const QByteArray &page)
{
    switch (FindMenuPlace(page).kind) {
    case CMenuPlace::Between:
        return QStringLiteral("between the markers");
    case CMenuPlace::AfterMarker:
        return QStringLiteral("at the page's marker");
    case CMenuPlace::AfterBody:
        return QStringLiteral("after <body>");
    case CMenuPlace::Applet:
        return QStringLiteral("in place of the page's applet");
    case CMenuPlace::None:
    case CMenuPlace::Doubled:
        break;
    }
    return QString();
}

bool IsPageFile(const QString &name)
{
    return name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
           || name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

// The paths as the system spells them, joined by `separator`.
QString ShownPaths(const QStringList &paths, const QString &separator)
{
    QStringList shown;
    for (const QString &path : paths)
        shown.append(QDir::toNativeSeparators(path));
    return shown.join(separator);
}

} // namespace

QStringList PageFilesIn(const QString &strFolder)
{
    QStringList files;
    // Hidden files and folders are not iterated (QDir::Hidden is not given).
    QDirIterator it(strFolder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (IsPageFile(it.fileName()))
            files.append(path);
    }
    files.sort();
    return files;
}

CSitePagesDialog::CSitePagesDialog(CWizardHost &host, const QString &strProjectPath, const QString &strMenuPage,
                                   QWidget *parent)
    : QDialog(parent),
      m_host(host),
      m_strProjectPath(strProjectPath),
      m_strSiteFolder(CSiteUpdate(strProjectPath, host.Params()).SiteFolder()),
      m_strMenuPage(strMenuPage.isEmpty() ? QString() : QFileInfo(strMenuPage).absoluteFilePath()),
      m_pages(host.Params().m_SitePages)
{
    setObjectName(QStringLiteral("sitePagesDialog"));
    setWindowTitle(QStringLiteral("Site Pages"));

    m_lblFolder = new QLabel(QStringLiteral("Site folder: %1").arg(QDir::toNativeSeparators(m_strSiteFolder)), this);
    m_lblFolder->setObjectName(QStringLiteral("siteFolder"));
    m_lblFolder->setTextFormat(Qt::PlainText);
    m_lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblFolder->setWordWrap(true);

    auto *listLabel = new QLabel(QStringLiteral("&Pages that carry the menu:"), this);
    m_listPages = new QTreeWidget(this);
    m_listPages->setObjectName(QStringLiteral("sitePages"));
    m_listPages->setAccessibleName(QStringLiteral("Pages that carry the menu"));
    m_listPages->setColumnCount(kColumns);
    m_listPages->setHeaderLabels({QStringLiteral("Page"), QStringLiteral("State"), QStringLiteral("Menu goes")});
    m_listPages->setRootIsDecorated(false);
    m_listPages->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The state and the place are shown whole, however long a reason is;
    // the list scrolls sideways rather than cut them.
    m_listPages->header()->setStretchLastSection(false);
    m_listPages->header()->setSectionResizeMode(kColPage, QHeaderView::Stretch);
    m_listPages->header()->setSectionResizeMode(kColState, QHeaderView::ResizeToContents);
    m_listPages->header()->setSectionResizeMode(kColPlace, QHeaderView::ResizeToContents);
    m_listPages->setTextElideMode(Qt::ElideNone);
    m_listPages->installEventFilter(this);
    listLabel->setBuddy(m_listPages);

    m_btnAddPages = new QPushButton(QStringLiteral("&Add Pages..."), this);
    m_btnAddPages->setObjectName(QStringLiteral("addPages"));
    m_btnAddFolder = new QPushButton(QStringLiteral("Add &Folder..."), this);
    m_btnAddFolder->setObjectName(QStringLiteral("addFolder"));
    m_btnRemove = new QPushButton(QStringLiteral("&Remove"), this);
    m_btnRemove->setObjectName(QStringLiteral("removePages"));
    m_btnRemove->setEnabled(false);
    m_btnReplace = new QPushButton(QStringLiteral("Replace My &Edits"), this);
    m_btnReplace->setObjectName(QStringLiteral("replaceEdits"));
    m_btnReplace->setAccessibleName(QStringLiteral("Replace My Edits"));
    m_btnReplace->setToolTip(QStringLiteral("The next Finish replaces what was edited by hand between the menu "
                                            "markers of the selected pages"));
    m_btnReplace->setEnabled(false);
    for (QPushButton *button : {m_btnAddPages, m_btnAddFolder, m_btnRemove, m_btnReplace})
        button->setAutoDefault(false);

    m_lblPlace = new QLabel(
        QStringLiteral("The menu goes between the lines %1 and %2. In a page that has no menu yet, it goes at "
                       "a line %1 you put there, else right after the <body> tag. Everything else on each page "
                       "stays as it is. Finish updates every page or none.")
            .arg(QLatin1String(kMenuMarkerBegin), QLatin1String(kMenuMarkerEnd)),
        this);
    m_lblPlace->setObjectName(QStringLiteral("menuPlace"));
    m_lblPlace->setTextFormat(Qt::PlainText);
    m_lblPlace->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *side = new QVBoxLayout;
    side->addWidget(m_btnAddPages);
    side->addWidget(m_btnAddFolder);
    side->addWidget(m_btnRemove);
    side->addWidget(m_btnReplace);
    side->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_listPages, 1);
    middle->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblFolder);
    layout->addWidget(listLabel);
    layout->addLayout(middle, 1);
    layout->addWidget(m_lblPlace);
    layout->addWidget(buttons);
    resize(640, 400);

    connect(m_btnAddPages, &QPushButton::clicked, this, &CSitePagesDialog::OnAddPages);
    connect(m_btnAddFolder, &QPushButton::clicked, this, &CSitePagesDialog::OnAddFolder);
    connect(m_btnRemove, &QPushButton::clicked, this, &CSitePagesDialog::OnRemove);
    connect(m_btnReplace, &QPushButton::clicked, this, &CSitePagesDialog::OnReplaceEdits);
    connect(m_listPages, &QTreeWidget::itemSelectionChanged, this, &CSitePagesDialog::UpdateButtons);

    Refresh();
    // Wide enough for the list's columns where the screen allows.
    const int wanted = m_listPages->header()->length() + 2 * m_listPages->frameWidth()
                       + m_listPages->verticalScrollBar()->sizeHint().width() + side->sizeHint().width()
                       + layout->contentsMargins().left() + layout->contentsMargins().right() + middle->spacing();
    const QScreen *screen = this->screen();
    const int room = screen ? screen->availableGeometry().width() * 9 / 10 : wanted;
    resize(qBound(640, wanted, qMax(640, room)), 400);
    m_listPages->setFocus();
}

void CSitePagesDialog::AddPages(const QStringList &paths)
{
    const CSiteUpdate site(m_strProjectPath, m_host.Params());
    QStringList outside;
    QStringList menuPage;
    for (const QString &path : paths) {
        const QString sitePath = site.SitePath(path);
        if (sitePath.isNull()) {
            outside.append(QDir::toNativeSeparators(path));
            continue;
        }
        if (!m_strMenuPage.isEmpty() && QFileInfo(path).absoluteFilePath() == m_strMenuPage) {
            menuPage.append(QDir::toNativeSeparators(path));
            continue;
        }
        bool listed = false;
        for (const CSitePage &page : m_pages)
            listed = listed || page.strPath == sitePath;
        if (listed)
            continue;
        // A page taken off and put back keeps what the last update knew of it.
        CSitePage added;
        added.strPath = sitePath;
        for (const CSitePage &known : m_host.Params().m_SitePages)
            if (known.strPath == sitePath)
                added = known;
        m_pages.append(added);
    }
    Refresh();

    QStringList told;
    if (!outside.isEmpty())
        told << QStringLiteral("Not added, as site pages are in the site folder %1 or in folders below it:\n%2")
                    .arg(QDir::toNativeSeparators(m_strSiteFolder), outside.join(QLatin1Char('\n')));
    if (!menuPage.isEmpty())
        told << QStringLiteral("Not added, as Vantrel writes the menu page whole:\n%1").arg(menuPage.join(QLatin1Char('\n')));
    if (!told.isEmpty())
        m_host.Ui().MessageBox(this, told.join(QStringLiteral("\n\n")));
}

void CSitePagesDialog::OnAddPages()
{
    const QStringList chosen = m_host.Ui().GetOpenFileNames(this, kPageFilter, m_strSiteFolder);
    if (!chosen.isEmpty())
        AddPages(chosen);
}

void CSitePagesDialog::OnAddFolder()
{
    const QString folder = m_host.Ui().GetExistingDirectory(this, m_strSiteFolder);
    if (folder.isEmpty())
        return;
    QStringList pages = PageFilesIn(folder);
    // The menu page is in the site folder as a rule: it is passed over
    // without a word.
    pages.removeAll(m_strMenuPage);
    if (pages.isEmpty()) {
        m_host.Ui().MessageBox(this, QStringLiteral("%1 holds no .htm or .html files.")
                                         .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    AddPages(pages);
}

void CSitePagesDialog::OnRemove()
{
    QStringList removed;
    for (const QTreeWidgetItem *item : m_listPages->selectedItems())
        removed.append(item->data(kColPage, Qt::UserRole).toString());
    if (removed.isEmpty())
        return;
    // Of these, the pages that carry a menu Vantrel can take out.
    QStringList withMenu;
    CSiteUpdate site(m_strProjectPath, m_host.Params());
    const QDir folder(m_strSiteFolder);
    QStringList inside;
    for (const QString &path : removed)
        if (site.SitePath(folder.filePath(path)) == path)
            inside.append(folder.filePath(path));
    if (!inside.isEmpty() && site.Choose(inside, nullptr)) {
        site.Read();
        QByteArray bytes;
        for (const CSiteUpdate::CPage &page : site.Pages())
            if ((page.state == ESitePageState::Update || page.state == ESitePageState::ChangedSince)
                && site.PageAfterRemoval(page, &bytes))
                withMenu.append(page.strPath);
    }
    if (!withMenu.isEmpty()) {
        const auto answer = m_host.Ui().MessageBox(
            this,
            QStringLiteral("Take the menu out of %1 too?\n\nVantrel takes out the lines it added (the menu with "
                           "its markers and the viewport line), so that the page is as it was before. This is "
                           "done when you press OK.")
                .arg(ShownPaths(withMenu, QStringLiteral(", "))),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::Yes)
            for (const QString &path : withMenu)
                if (!m_takeOut.contains(path))
                    m_takeOut.append(path);
    }
    const int current = m_listPages->indexOfTopLevelItem(m_listPages->currentItem());
    for (qsizetype i = m_pages.size() - 1; i >= 0; --i)
        if (removed.contains(m_pages[i].strPath))
            m_pages.removeAt(i);
    Refresh();
    // The keyboard stays in the list, on the page that took the removed one's place.
    if (m_listPages->topLevelItemCount() > 0) {
        const int next = qBound(0, current, m_listPages->topLevelItemCount() - 1);
        m_listPages->setCurrentItem(m_listPages->topLevelItem(next));
        m_listPages->setFocus();
    }
}

void CSitePagesDialog::UpdateButtons()
{
    const QList<QTreeWidgetItem *> selected = m_listPages->selectedItems();
    m_btnRemove->setEnabled(!selected.isEmpty());
    bool edited = false;
    for (const QTreeWidgetItem *item : selected)
        edited = edited || item->data(kColState, kRoleEdited).toBool();
    m_btnReplace->setEnabled(edited);
}

void CSitePagesDialog::OnReplaceEdits()
{
    QStringList paths;
    for (const QTreeWidgetItem *item : m_listPages->selectedItems())
        if (item->data(kColState, kRoleEdited).toBool())
            paths.append(item->data(kColPage, Qt::UserRole).toString());
    if (paths.isEmpty())
        return;
    const auto answer = m_host.Ui().MessageBox(
        this,
        QStringLiteral("The menu between the markers was edited by hand since the last update in:\n%1\n\nReplace "
                       "those edits with this menu when you press Finish?")
            .arg(ShownPaths(paths, QStringLiteral("\n"))),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // Without a record of what the last update wrote, the text between the
    // markers is the menu's to replace.
    for (CSitePage &page : m_pages)
        if (paths.contains(page.strPath)) {
            page.menuHash.clear();
            m_replacing.insert(page.strPath);
        }
    const int current = m_listPages->indexOfTopLevelItem(m_listPages->currentItem());
    Refresh();
    if (current >= 0 && current < m_listPages->topLevelItemCount())
        m_listPages->setCurrentItem(m_listPages->topLevelItem(current));
    m_listPages->setFocus();
}

void CSitePagesDialog::Refresh()
{
    CSiteUpdate site(m_strProjectPath, m_host.Params());
    const QDir folder(m_strSiteFolder);
    // A hand-edited project may name a page outside the site folder: it is
    // shown as such, and the others are read.
    QStringList inside;
    for (const CSitePage &page : m_pages)
        if (site.SitePath(folder.filePath(page.strPath)) == page.strPath)
            inside.append(folder.filePath(page.strPath));
    QHash<QString, CSiteUpdate::CPage> read;
    if (!inside.isEmpty() && site.Choose(inside, nullptr)) {
        site.Read();
        for (const CSiteUpdate::CPage &page : site.Pages())
            read.insert(page.strPath, page);
    }

    m_listPages->clear();
    QSet<QString> listed;
    for (const CSitePage &page : m_pages) {
        listed.insert(page.strPath);
        QString state;
        QString place;
        bool edited = false;
        const auto found = read.constFind(page.strPath);
        if (found == read.constEnd()) {
            state = QStringLiteral("not in the site folder");
        } else if (!found->strError.isEmpty()) {
            state = found->strError;
        } else if (found->state == ESitePageState::ChangedSince && m_replacing.contains(page.strPath)) {
            state = QStringLiteral("your edits will be replaced");
            place = PlaceText(found->bytes);
        } else {
            state = SitePageStateText(found->state);
            place = PlaceText(found->bytes);
            edited = found->state == ESitePageState::ChangedSince;
        }
        auto *item = new QTreeWidgetItem(m_listPages);
        item->setText(kColPage, QDir::toNativeSeparators(page.strPath));
        item->setData(kColPage, Qt::UserRole, page.strPath);
        item->setText(kColState, state);
        item->setToolTip(kColState, state);
        item->setData(kColState, kRoleEdited, edited);
        item->setText(kColPlace, place);
    }
    // A page taken off the list is no longer replaced.
    for (auto it = m_replacing.begin(); it != m_replacing.end();)
        it = listed.contains(*it) ? std::next(it) : m_replacing.erase(it);
    UpdateButtons();
}

bool CSitePagesDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listPages && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        OnRemove();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CSitePagesDialog::accept()
{
    // A page added again after its removal keeps its menu.
    QStringList takeOut;
    const QDir folder(m_strSiteFolder);
    for (const QString &path : m_takeOut) {
        bool listed = false;
        for (const CSitePage &page : m_pages)
            listed = listed || page.strPath == path;
        if (!listed)
            takeOut.append(folder.filePath(path));
    }
    if (!takeOut.isEmpty()) {
        CSiteUpdate site(m_strProjectPath, m_host.Params());
        QString error;
        if (!site.TakeMenusOut(takeOut, &error)) {
            m_host.Ui().MessageBox(this, QStringLiteral("The menu was not taken out:\n%1").arg(error));
            return;
        }
    }
    m_takeOut.clear();
    QDialog::accept();
}
