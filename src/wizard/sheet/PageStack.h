#pragma once

#include <QStackedWidget>

// The wizard's page stack. Pages make their controls when first shown, so
// the stack cannot ask the pages behind the first how large they are: it
// keeps the room the largest page asks for (and the least room it needs),
// first estimated in the font's character width and line height, then as
// measured on the largest pages once they are built, and more only when a
// built page wants more.
class CPageStack : public QStackedWidget {
    Q_OBJECT
public:
    explicit CPageStack(QWidget *parent = nullptr);

    // The size every page fits in with the wizard's font, and the least
    // size every page can still be used at.
    QSize PageRoom() const;
    QSize LeastPageRoom() const;
    // The room as measured on the largest pages, built.
    void SetMeasuredRoom(const QSize &room, const QSize &least);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;

private:
    QSize m_measuredRoom, m_measuredLeast; // invalid until measured
};
