#include "wizard/widgets/SpinButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CSpinButton::CSpinButton(QLineEdit *buddy, QWidget *parent)
    : QWidget(parent), m_pBuddy(buddy)
{
    m_btnUp = new QToolButton(this);
    m_btnDown = new QToolButton(this);
    m_btnUp->setArrowType(Qt::UpArrow);
    m_btnDown->setArrowType(Qt::DownArrow);
    m_btnUp->setAccessibleName(QStringLiteral("Up"));
    m_btnDown->setAccessibleName(QStringLiteral("Down"));
    for (QToolButton *b : {m_btnUp, m_btnDown}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
        b->setFixedWidth(16);
    }
    connect(m_btnUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_btnDown, &QToolButton::clicked, this, [this] { Step(-1); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_btnUp);
    layout->addWidget(m_btnDown);
    // As tall as the box it is attached to.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    setFocusPolicy(Qt::NoFocus);

    m_pBuddy->installEventFilter(this);
}

void CSpinButton::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    SetPos(m_nPos);
}

void CSpinButton::SetPos(int nPos)
{
    m_nPos = qBound(m_nLower, nPos, m_nUpper);
}

void CSpinButton::Step(int nDelta)
{
    bool ok = false;
    const int shown = m_pBuddy->text().trimmed().toInt(&ok);
    if (ok)
        SetPos(shown);
    SetPos(m_nPos + nDelta);
    m_pBuddy->setText(QString::number(m_nPos));
    emit Stepped(m_nPos);
}

bool CSpinButton::eventFilter(QObject *watched, QEvent *event)
{
    if (m_bArrowKeys && watched == m_pBuddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
