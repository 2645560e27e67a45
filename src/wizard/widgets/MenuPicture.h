#pragma once

#include "model/config/AppletParameters.h"
#include "render/MenuRenderer.h"

#include <QWidget>

// A still picture of a configuration's menu, scaled down to fit the widget,
// with every item in its Normal style and the first sub menu open so that
// the sub-menu styles show too. The template page shows the selected
// template with it.
class CMenuPicture : public QWidget {
    Q_OBJECT
public:
    explicit CMenuPicture(QWidget *parent = nullptr);

    // Draws template nTemplate (from 0) of the library; nothing for -1.
    void ShowTemplate(int nTemplate, const QString &strLibraryPath);
    // Draws a copy of `params`.
    void ShowConfiguration(const CAppletParameters &params);
    void Clear();

    bool IsEmpty() const { return m_bEmpty; }
    const CAppletParameters &Shown() const { return m_params; }
    // What is drawn at the applet's own size.
    QImage Picture() const;
    // The same at `dpr` device pixels per applet pixel (sharp on dense
    // screens), at most 4096 pixels a side.
    QImage PictureAt(double dpr) const;
    // The sub menu shown open: the first main item's that has one, or -1.
    int OpenSubMenu() const;

    QSize sizeHint() const override { return QSize(200, 200); }
    QSize minimumSizeHint() const override { return QSize(120, 100); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Changed();

    CAppletParameters m_params;
    QImage m_picture; // at the applet's size
    QImage m_scaled;  // as last painted, in device pixels
    double m_scaledRatio = 0;
    CMenuRenderer m_renderer;
    bool m_bEmpty = true;
};
