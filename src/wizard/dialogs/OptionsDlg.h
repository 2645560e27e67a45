#pragma once

#include <QDialog>

class CWizardHost;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Options": which web browser shows previews and the sample page, the
// system's default one or a program the user names.
class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on the host's current browser choice.
    explicit COptionsDlg(CWizardHost &host, QWidget *parent = nullptr);

    // Copies the controls into the members (bSave) or the members into the
    // controls.
    void UpdateData(bool bSave);

    // OK: refuses a user browser without a path, else stores the choice in
    // the host and closes.
    void accept() override;

    int m_nLastBrowser = -1;
    QPushButton *m_btnBrowse = nullptr;
    QLineEdit *m_editExecFile = nullptr;
    QRadioButton *m_btnDefault = nullptr;
    QRadioButton *m_btnUser = nullptr;
    // 0 = "Use Default Browser", 1 = "User Specified Browser".
    int m_nBrowser = -1;
    QString m_strExecFile;

private:
    void OnBrowserChanged();
    void OnBrowse();
    void EnableExecFile(bool bEnable);

    bool m_bWriting = false;
    CWizardHost &m_host;
};
