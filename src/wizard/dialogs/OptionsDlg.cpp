#include "wizard/dialogs/OptionsDlg.h"

#include "app/WizardHost.h"
#include "wizard/controls/DataExchange.h"
#include "wizard/dialogs/FileDialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

COptionsDlg::COptionsDlg(CWizardHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("131"));
    setWindowTitle(QStringLiteral("Options"));

    auto *group = new QGroupBox(QStringLiteral("Web Browser"), this);
    m_btnDefault = new QRadioButton(QStringLiteral("Use Default Browser"), group);
    m_btnDefault->setObjectName(QStringLiteral("1009"));
    m_btnUser = new QRadioButton(QStringLiteral("User Specified Browser"), group);
    m_btnUser->setObjectName(QStringLiteral("1010"));
    auto *label = new QLabel(QStringLiteral("Execute File:"), group);
    m_editExecFile = new QLineEdit(group);
    m_editExecFile->setObjectName(QStringLiteral("1006"));
    label->setBuddy(m_editExecFile);
    m_btnBrowse = new QPushButton(QStringLiteral("..."), group);
    m_btnBrowse->setObjectName(QStringLiteral("1007"));
    m_btnBrowse->setAccessibleName(QStringLiteral("Browse for the web browser"));
    m_btnBrowse->setAutoDefault(false);
    // Wide enough for the dots, not a full-size button.
    m_btnBrowse->setMaximumWidth(m_btnBrowse->fontMetrics().horizontalAdvance(QStringLiteral("....."))
                                 + 24);

    auto *fileRow = new QHBoxLayout;
    fileRow->addSpacing(18);
    fileRow->addWidget(label);
    fileRow->addWidget(m_editExecFile, 1);
    fileRow->addWidget(m_btnBrowse);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_btnDefault);
    groupLayout->addWidget(m_btnUser);
    groupLayout->addLayout(fileRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    // However the choice is made (mouse, keyboard, an accessibility action
    // or code), once; not while the dialog writes it.
    for (QRadioButton *b : {m_btnDefault, m_btnUser})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_bWriting)
                OnBrowserChanged();
        });
    connect(m_btnBrowse, &QPushButton::clicked, this, &COptionsDlg::OnBrowse);

    // Opening: show the current choice.
    if (m_host.UsesDefaultBrowser()) {
        m_nBrowser = m_nLastBrowser = 0;
        EnableExecFile(false);
    } else {
        m_nBrowser = m_nLastBrowser = 1;
        m_strExecFile = m_host.BrowserPath();
        EnableExecFile(true);
    }
    UpdateData(false);
}

void COptionsDlg::UpdateData(bool bSave)
{
    CDataExchange dx(this, bSave, &m_host.Ui());
    const QScopedValueRollback<bool> writing(m_bWriting, m_bWriting || !bSave);
    dx.Radio({m_btnDefault, m_btnUser}, m_nBrowser);
    dx.Text(m_editExecFile, m_strExecFile);
}

void COptionsDlg::EnableExecFile(bool bEnable)
{
    m_editExecFile->setEnabled(bEnable);
    m_btnBrowse->setEnabled(bEnable);
}

void COptionsDlg::OnBrowserChanged()
{
    UpdateData(true);
    if (m_nBrowser == m_nLastBrowser)
        return;
    m_nLastBrowser = m_nBrowser;
    // The box keeps its text either way.
    if (m_nBrowser == 1) {
        EnableExecFile(true);
        m_editExecFile->setFocus(Qt::OtherFocusReason);
    } else {
        EnableExecFile(false);
    }
}

void COptionsDlg::OnBrowse()
{
    const QString path = AskOpenFile(m_host.Ui(), this, EFileKind::Program,
                                     QStringLiteral("Web Browser(*.EXE) | *.EXE"));
    if (path.isEmpty())
        return;
    m_strExecFile = path;
    UpdateData(false);
}

void COptionsDlg::accept()
{
    UpdateData(true);
    if (m_nBrowser == 0) {
        m_host.SetBrowser(true, QString());
    } else {
        if (m_strExecFile.isEmpty()) {
            m_host.Ui().MessageBox(this, QStringLiteral("You must specify the web browser's execute file!"));
            m_editExecFile->setFocus(Qt::OtherFocusReason);
            return;
        }
        // The path is taken as typed; a wrong one shows only when a page is opened.
        m_host.SetBrowser(false, m_strExecFile);
    }
    QDialog::accept();
}
