#pragma once

#include <QLabel>

struct CTextContrast;

// The line on the item style pages that tells how readable the label text
// of the state on show is: "Contrast 4.8:1" with "AA" beside it, or "Low
// contrast" and the ratio level AA asks for. Its accessible name says the
// same, so a screen reader user hears the figure too; Tab reaches it.
class CContrastLabel : public QLabel {
    Q_OBJECT
public:
    explicit CContrastLabel(QWidget *parent = nullptr);

    void ShowContrast(const CTextContrast &contrast);
};
