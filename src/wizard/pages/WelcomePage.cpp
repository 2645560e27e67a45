#include "wizard/pages/WelcomePage.h"

#include "wizard/dialogs/AboutDlg.h"
#include "app/WizardHost.h"
#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"
#include "wizard/dialogs/OptionsDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *WrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CWelcomePage::CWelcomePage(CWizardHost &host, QWidget *parent)
    : CWizardPage(host, 104, QStringLiteral("Welcome to the Vantrel!"), 130, parent)
{
}

void CWelcomePage::BuildControls()
{
    auto *intro = WrappedLabel(
        QStringLiteral("This wizard automates the tasks Configuring the parameters of the "
                       "Glidebar(TM) Applet."),
        this);
    auto *features = new QLabel(QStringLiteral("It features:"), this);
    auto *bullets = new QVBoxLayout;
    bullets->setContentsMargins(12, 0, 0, 0);
    bullets->setSpacing(2);
    for (const char *text : {"* Wizard to guide configuration step by step",
                             "* Templates to make work easy",
                             "* Preview Glidebar that you customize"})
        bullets->addWidget(WrappedLabel(QString::fromLatin1(text), this));

    m_btnViewSample = new QPushButton(QStringLiteral("View Sample"), this);
    m_btnViewSample->setObjectName(QStringLiteral("1003"));
    m_btnOptions = new QPushButton(QStringLiteral("&Options..."), this);
    m_btnOptions->setObjectName(QStringLiteral("1001"));
    m_btnAbout = new QPushButton(QStringLiteral("&About..."), this);
    m_btnAbout->setObjectName(QStringLiteral("1002"));
    for (QPushButton *b : {m_btnViewSample, m_btnOptions, m_btnAbout})
        b->setAutoDefault(false);

    // The two invitations, each with its button at the right; About below.
    auto *actions = new QGridLayout;
    actions->setColumnStretch(0, 1);
    actions->setHorizontalSpacing(12);
    actions->addWidget(WrappedLabel(QStringLiteral("Before starting your work,you can view an "
                                                   "Vantrel sample."),
                                    this),
                       0, 0);
    actions->addWidget(m_btnViewSample, 0, 1);
    actions->addWidget(WrappedLabel(QStringLiteral("You can specify the web browser to preview "
                                                   "by clicking options button."),
                                    this),
                       1, 0);
    actions->addWidget(m_btnOptions, 1, 1);
    actions->addWidget(m_btnAbout, 2, 1);

    QVBoxLayout *body = Body();
    body->addWidget(intro);
    body->addSpacing(4);
    body->addWidget(features);
    body->addLayout(bullets);
    // The invitations follow the feature list; free room goes below them.
    body->addSpacing(16);
    body->addLayout(actions);
    body->addStretch(1);

    connect(m_btnAbout, &QPushButton::clicked, this, &CWelcomePage::OnAbout);
    connect(m_btnOptions, &QPushButton::clicked, this, &CWelcomePage::OnOptions);
    connect(m_btnViewSample, &QPushButton::clicked, this, &CWelcomePage::OnViewSample);

    // The heading's own font made bold becomes every page's heading font
    // (each page takes it when built, before it is laid out).
    if (CWizardPageHost *host = PageHost()) {
        QFont font = m_staticTitle->font();
        font.setWeight(QFont::Bold);
        host->SetTitleFont(font);
    }
}

bool CWelcomePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    return CWizardPage::OnSetActive();
}

void CWelcomePage::OnAbout()
{
    CAboutDlg dlg(this);
    Host().Ui().ExecDialog(dlg);
}

void CWelcomePage::OnOptions()
{
    COptionsDlg dlg(Host(), this);
    CWizardHost &app = Host();
    if (app.Ui().ExecDialog(dlg) != QDialog::Accepted)
        return;
    app.SetBrowser(dlg.m_nBrowser == 0, dlg.m_strExecFile);
    // "Use Default" first, then "Specify Browser" ("" with the default browser).
    app.WriteBrowserSettings();
}

void CWelcomePage::OnViewSample()
{
    Host().OpenInBrowser(Host().AppFilePath(LoadString(StringId::SamplePage)), this);
}
