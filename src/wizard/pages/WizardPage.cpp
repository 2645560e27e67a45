#include "wizard/pages/WizardPage.h"

#include "app/ProgramIcon.h"
#include "app/WizardHost.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/widgets/PagePicture.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QVBoxLayout>

CWizardPage::CWizardPage(CWizardHost &host, int nDialogId, const QString &heading, int nBitmap,
                         QWidget *parent)
    : QWidget(parent), m_host(host), m_strHeading(heading), m_nBitmap(nBitmap)
{
    setObjectName(QString::number(nDialogId));
    setWindowTitle(QStringLiteral("Vantrel"));
}

void CWizardPage::Build()
{
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    BuildFrame();
    BuildControls();
    ApplyTitleFont();
    if (m_pPageHost)
        m_pPageHost->PageBuilt(this);
}

void CWizardPage::BuildControls() {}

void CWizardPage::BuildFrame()
{
    m_staticTitle = new QLabel(m_strHeading, this);
    m_staticTitle->setObjectName(QStringLiteral("1000"));
    m_staticTitle->setWordWrap(true);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_pBody = new QVBoxLayout;
    m_pBody->setContentsMargins(0, 0, 0, 0);

    auto *picture = new QLabel(this);
    m_pPicture = picture;
    picture->setObjectName(QStringLiteral("picture"));
    picture->setAccessibleName(QStringLiteral("Picture"));
    if (m_nBitmap) {
        // The picture is drawn when the page is first shown; its place is
        // the picture's known size inside the frame.
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setFixedSize(
            QSize(kPagePictureWidth, kPagePictureHeight).grownBy(picture->contentsMargins()));
        auto *right = new QVBoxLayout;
        right->addWidget(m_staticTitle);
        right->addWidget(line);
        right->addLayout(m_pBody, 1);
        auto *outer = new QHBoxLayout(this);
        outer->addWidget(picture, 0, Qt::AlignTop);
        outer->addSpacing(8);
        outer->addLayout(right, 1);
    } else {
        picture->setPixmap(ProgramIcon().pixmap(32, 32));
        auto *top = new QHBoxLayout;
        top->addWidget(picture);
        auto *headingColumn = new QVBoxLayout;
        headingColumn->addWidget(m_staticTitle);
        headingColumn->addWidget(line);
        top->addLayout(headingColumn, 1);
        auto *outer = new QVBoxLayout(this);
        outer->addLayout(top);
        outer->addLayout(m_pBody, 1);
    }
}

void CWizardPage::Create()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    Build();
    if (m_nBitmap)
        m_pPicture->setPixmap(DrawPagePicture(m_nBitmap, devicePixelRatioF()));
    OnInitDialog();
}

bool CWizardPage::OnInitDialog()
{
    ApplyTitleFont();
    return true;
}

void CWizardPage::ApplyTitleFont()
{
    if (m_pPageHost) {
        m_staticTitle->setFont(m_pPageHost->TitleFont());
        m_staticTitle->update();
    }
}

bool CWizardPage::OnSetActive() { return true; }
bool CWizardPage::OnKillActive() { return true; }
bool CWizardPage::OnWizardBack() { return true; }
bool CWizardPage::OnWizardNext() { return true; }
bool CWizardPage::OnWizardFinish() { return false; }
bool CWizardPage::OnQueryCancel() { return true; }
void CWizardPage::OnCancel() {}
void CWizardPage::ApplyShownValues(CAppletParameters &) const {}
bool CWizardPage::StoreShownValues() { return true; }
void CWizardPage::ReloadShownValues() { OnSetActive(); }
QString CWizardPage::UndoStepName() const { return m_strHeading; }

void CWizardPage::DoDataExchange(CDataExchange &) {}

bool CWizardPage::UpdateData(bool bSaveAndValidate, QLineEdit **ppFailed)
{
    CDataExchange dx(this, bSaveAndValidate, &m_host.Ui());
    const QScopedValueRollback<bool> writing(m_bWriting, m_bWriting || !bSaveAndValidate);
    DoDataExchange(dx);
    if (ppFailed)
        *ppFailed = dx.FailedEdit();
    return dx.Ok();
}

void CWizardPage::OnEdited()
{
    if (!m_bWriting)
        emit ValuesEdited();
}

bool CWizardPage::BeginUndoStep()
{
    return m_pPageHost ? m_pPageHost->CommitShownValues() : StoreShownValues();
}

void CWizardPage::EndUndoStep(const QString &strWhat)
{
    if (m_pPageHost)
        m_pPageHost->RecordStep(strWhat);
    NotifyStored();
}

void CWizardPage::NotifyStored()
{
    if (m_pPageHost)
        m_pPageHost->AnnounceStored();
}

void CWizardPage::SetWizardButtons(int flags)
{
    if (m_pPageHost)
        m_pPageHost->SetWizardButtons(flags);
}

QKeySequence CWizardPageHost::LivePreviewShortcut()
{
    return QKeySequence(Qt::CTRL | Qt::Key_L);
}
