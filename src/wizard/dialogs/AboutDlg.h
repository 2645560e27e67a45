#pragma once

#include <QDialog>

// "About Vantrel": the program icon, the version line, a notice and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
