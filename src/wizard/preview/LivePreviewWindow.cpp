#include "wizard/preview/LivePreviewWindow.h"

#include "model/config/LookValues.h"
#include "render/CurrentItems.h"
#include "render/SmallMenuLayout.h"

#include "wizard/dialogs/ItemFontDialog.h"
#include "wizard/preview/WindowPlacement.h"
#include "wizard/pages/WizardPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSet>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kMargin = 8; // free room around the applet area on the canvas
const QSize kSmallestCanvas(160, 80);
}

// The drawing area: hands the pointer to the window and draws its state.
class CLivePreviewWindow::CCanvas : public QWidget {
public:
    explicit CCanvas(CLivePreviewWindow *owner) : QWidget(owner), m_pOwner(owner)
    {
        setObjectName(QStringLiteral("canvas"));
        setAccessibleName(QStringLiteral("Menu preview"));
        setMouseTracking(true);
        // The keys walk the menus as the pointer does.
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(kSmallestCanvas);
    }

    QSize sizeHint() const override
    {
        return m_pOwner->NeededCanvasSize().expandedTo(QSize(240, 120));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Mid));
        const QRect area = m_pOwner->SmallForm() ? m_pOwner->PhoneLayout().Rect()
                                                 : CMenuLayout(m_pOwner->m_params).AppletRect();
        if (area.isEmpty()) {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("The menu has nothing to show."));
            return;
        }
        const double scale = m_pOwner->Scale();
        const QPointF origin = m_pOwner->Origin();
        // A dark line around the applet's box shows where the page's applet
        // ends (sub menus may float beyond it).
        const QRectF shown(origin + area.topLeft() * scale, QSizeF(area.width() * scale, area.height() * scale));
        p.setPen(palette().color(QPalette::Dark).darker(150));
        p.drawRect(shown.adjusted(-1, -1, 0, 0));
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = rect().adjusted(2, 2, -2, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
        }
        p.translate(origin);
        p.scale(scale, scale);
        if (m_pOwner->SmallForm()) {
            m_pOwner->m_renderer.DrawSmall(p, m_pOwner->m_params, m_pOwner->PhoneLayout(), m_pOwner->m_current);
        } else {
            CRenderState state = m_pOwner->State();
            state.current = m_pOwner->m_current;
            m_pOwner->m_renderer.Draw(p, m_pOwner->m_params, state, m_pOwner->PageWidth());
        }
    }

    void keyPressEvent(QKeyEvent *e) override
    {
        bool used = false;
        Track([&](CMenuPointer &pointer) { used = pointer.KeyPressed(m_pOwner->m_params, e->key(), e->isAutoRepeat()); });
        if (!used)
            QWidget::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        bool used = false;
        CItemRef clicked;
        Track([&](CMenuPointer &pointer) { used = pointer.KeyReleased(e->key(), e->isAutoRepeat(), &clicked); });
        if (!used)
            QWidget::keyReleaseEvent(e);
        if (clicked.IsValid())
            m_pOwner->ShowItemLink(clicked);
    }
    void focusInEvent(QFocusEvent *) override { update(); }
    void focusOutEvent(QFocusEvent *) override
    {
        // The keyboard's walk ends with its visit.
        Track([](CMenuPointer &pointer) { pointer.KeysLeft(); });
        update();
    }

    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (m_pOwner->SmallForm())
            return;
        Track([&](CMenuPointer &pointer) { pointer.Moved(m_pOwner->m_params, AppletPoint(e)); });
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && !m_pOwner->SmallForm())
            Track([&](CMenuPointer &pointer) { pointer.Pressed(m_pOwner->m_params, AppletPoint(e)); });
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton)
            return;
        if (m_pOwner->SmallForm()) {
            m_pOwner->PhoneClicked(AppletPoint(e));
            return;
        }
        CItemRef clicked;
        Track([&](CMenuPointer &pointer) { clicked = pointer.Released(m_pOwner->m_params, AppletPoint(e)); });
        if (clicked.IsValid())
            m_pOwner->ShowItemLink(clicked);
    }
    void leaveEvent(QEvent *) override
    {
        Track([](CMenuPointer &pointer) { pointer.Left(); });
    }
    void resizeEvent(QResizeEvent *) override { update(); }

private:
    // Hands an event to the pointer rules and redraws when their effect changed.
    template <typename Act> void Track(Act act)
    {
        const CRenderState before = m_pOwner->State();
        act(m_pOwner->m_pointer);
        m_pOwner->UpdateIfChanged(before);
    }
    QPoint AppletPoint(const QMouseEvent *e) const { return m_pOwner->ToApplet(e->position().toPoint()); }

    CLivePreviewWindow *m_pOwner;
};

CLivePreviewWindow::CLivePreviewWindow(QWidget *owner, ConfigurationSource source)
    : QWidget(owner, Qt::Tool), m_pOwner(owner), m_source(std::move(source))
{
    setObjectName(QStringLiteral("livePreview"));
    setWindowTitle(QStringLiteral("Live Preview"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Opening it leaves the user typing where they were.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_pCanvas = new CCanvas(this);
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("status"));
    m_pStatus->setAccessibleName(QStringLiteral("Status"));
    m_pStatus->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab reaches it, so that what it says can be read again.
    m_pStatus->setFocusPolicy(Qt::StrongFocus);
    // Long links wrap rather than widen the window.
    m_pStatus->setWordWrap(true);
    m_pStatus->setText(QStringLiteral("Point at an item to see its styles; click it to see its link. "
                          "Keys: Ctrl+L, then the arrows and Enter."));
    m_pPageFont = new QLabel(PageFontNote(), this);
    m_pPageFont->setObjectName(QStringLiteral("pageFontNote"));
    m_pPageFont->setWordWrap(true);
    m_pPageFont->setContentsMargins(4, 2, 4, 2);
    m_pPageFont->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pCanvas, 1);
    layout->addWidget(m_pPageFont);
    m_pPhone = new QCheckBox(QStringLiteral("&Phone"), this);
    m_pPhone->setObjectName(QStringLiteral("phone"));
    m_pPhone->setToolTip(QStringLiteral("Show the menu as a phone %1 pixels wide shows the page").arg(kPhoneWidth));
    connect(m_pPhone, &QCheckBox::toggled, this, [this](bool on) {
        m_bPhone = on;
        m_bPhoneShown = false;
        m_nPhoneSection = -1;
        m_pointer.Reset();
        FitCanvas();
        m_pCanvas->update();
    });
    // You are here: the menu as it stands on one of the pages it links to.
    m_pCurrentPage = new QComboBox(this);
    m_pCurrentPage->setObjectName(QStringLiteral("currentPage"));
    m_pCurrentPage->setAccessibleName(QStringLiteral("Shown on page"));
    m_pCurrentPage->setToolTip(QStringLiteral("Show the menu as it stands on this page: its item, and the main item "
                                              "whose sub menu holds it, in their Mouse Click look"));
    auto *currentLabel = new QLabel(QStringLiteral("&On page:"), this);
    currentLabel->setBuddy(m_pCurrentPage);
    connect(m_pCurrentPage, &QComboBox::currentIndexChanged, this, [this] {
        UpdateCurrent();
        m_pCanvas->update();
    });
    // Long links do not widen the window.
    m_pCurrentPage->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pCurrentPage->setMinimumContentsLength(8);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 4, 0);
    bottom->addWidget(m_pStatus, 1);
    bottom->addWidget(m_pPhone);
    auto *onPage = new QHBoxLayout;
    onPage->setContentsMargins(4, 2, 4, 2);
    onPage->addWidget(currentLabel);
    onPage->addWidget(m_pCurrentPage, 1);
    // Above the status line and Phone, and before them in the Tab order.
    layout->addLayout(onPage);
    setTabOrder(m_pCurrentPage, m_pStatus);
    setTabOrder(m_pStatus, m_pPhone);
    FillCurrentPages();
    layout->addLayout(bottom);
}

int CLivePreviewWindow::PageWidth() const
{
    return m_bPhone ? kPhoneWidth : 0;
}

bool CLivePreviewWindow::SmallForm() const
{
    return m_bPhone && CMenuLayout::NeedsSmallForm(m_params, kPhoneWidth);
}

CSmallMenuLayout CLivePreviewWindow::PhoneLayout() const
{
    return CSmallMenuLayout(m_params, CSmallMenuLayout::MenuWidth(kPhoneWidth), m_bPhoneShown, m_nPhoneSection);
}

QRect CLivePreviewWindow::DrawnArea() const
{
    if (SmallForm())
        return PhoneLayout().Rect();
    return CMenuLayout(m_params, PageWidth()).Extent();
}

void CLivePreviewWindow::PhoneClicked(const QPoint &pt)
{
    const CSmallMenuLayout layout = PhoneLayout();
    const CSmallMenuLayout::CRow *row = layout.RowAt(pt);
    if (!row)
        return;
    switch (row->kind) {
    case CSmallMenuLayout::ERow::Toggle:
        m_bPhoneShown = !m_bPhoneShown;
        m_nPhoneSection = -1;
        break;
    case CSmallMenuLayout::ERow::Disclosure:
        m_nPhoneSection = m_nPhoneSection == row->nMain ? -1 : row->nMain;
        break;
    case CSmallMenuLayout::ERow::Item:
    case CSmallMenuLayout::ERow::SubItem:
        ShowItemLink(CItemRef{row->nMain, row->nSub});
        return;
    }
    FitCanvas();
    m_pCanvas->update();
}

CLivePreviewWindow::~CLivePreviewWindow()
{
    // The canvas goes first, while this window can still answer it (losing
    // the focus on the way out asks for the pointer rules).
    delete m_pCanvas;
    m_pCanvas = nullptr;
}

void CLivePreviewWindow::Open()
{
    if (!m_bPlaced) {
        m_bPlaced = true;
        // Sized to the menu it will show, so the configuration is taken now,
        // before the window is shown.
        TakeConfiguration();
        FitCanvas();
        adjustSize();
        // Where it covers none of the wizard, or the least of it. The frame
        // is not known before the window is first shown: it is taken to be
        // as wide as the wizard's.
        const QRect wizard = m_pOwner->frameGeometry();
        const QScreen *screen = m_pOwner->screen() ? m_pOwner->screen() : QGuiApplication::primaryScreen();
        const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize frame = isVisible() ? frameGeometry().size()
                                        : size() + wizard.size() - m_pOwner->geometry().size();
        move(PlaceBeside(avail, wizard, frame));
    }
    show();
    // The frame is known only once shown: pull back what it pushed off the screen.
    KeepOnScreen();
    raise();
}

void CLivePreviewWindow::KeepOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    const QRect window = frameGeometry();
    const int x = std::clamp(window.left(), avail.left(), std::max(avail.left(), avail.right() - window.width() + 1));
    const int y = std::clamp(window.top(), avail.top(), std::max(avail.top(), avail.bottom() - window.height() + 1));
    if (x != window.left() || y != window.top())
        move(x, y);
}

void CLivePreviewWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    close();
    m_pOwner->raise();
    m_pOwner->activateWindow();
}

void CLivePreviewWindow::TakeKeyboard()
{
    raise();
    activateWindow();
    m_pCanvas->setFocus(Qt::ShortcutFocusReason);
}

void CLivePreviewWindow::showEvent(QShowEvent *event)
{
    Refresh();
    QWidget::showEvent(event);
}

void CLivePreviewWindow::OnNewMenu()
{
    m_pointer.Reset();
    Refresh();
}

void CLivePreviewWindow::OnConfigurationStored()
{
    m_renderer.ClearImageCache();
    Refresh();
}

void CLivePreviewWindow::WatchPage(CWizardPage *page)
{
    disconnect(m_editedConnection);
    m_pWatchedPage = page;
    if (m_pWatchedPage)
        m_editedConnection = connect(m_pWatchedPage, &CWizardPage::ValuesEdited, this,
                                     &CLivePreviewWindow::Refresh);
    Refresh();
}

void CLivePreviewWindow::Refresh()
{
    if (!isVisible())
        return; // taken again when shown
    if (!TakeConfiguration())
        return;
    m_pPageFont->setVisible(ShowsPageFont(m_params));
    FitCanvas();

    // Forget pointer states that name items no longer there.
    m_pointer.Forget(m_params);
    FillCurrentPages();
    m_pCanvas->update();
}

void CLivePreviewWindow::FillCurrentPages()
{
    // Every page the menu links to, once, in menu order; the one chosen
    // stays chosen while the menu still links to it.
    const QString chosen = m_pCurrentPage->currentData().toString();
    QStringList links;
    QSet<QString> seen;
    const CAppletMenu &menu = *m_params.m_pMainMenu;
    // A link to a place within a page is never the page itself.
    auto add = [&](const QString &link) {
        if (!link.trimmed().isEmpty() && !link.contains(QLatin1Char('#')) && !seen.contains(link)) {
            seen.insert(link);
            links.append(link);
        }
    };
    menu.ForEachItem([&](const CAppletMenuItem &item, int, int) { add(item.m_strLink); });
    QStringList shown{QString()};
    shown.append(links);
    QStringList now;
    for (int i = 0; i < m_pCurrentPage->count(); ++i)
        now.append(m_pCurrentPage->itemData(i).toString());
    if (now != shown) {
        const QSignalBlocker block(m_pCurrentPage);
        m_pCurrentPage->clear();
        m_pCurrentPage->addItem(QStringLiteral("(none)"), QString());
        for (const QString &link : links)
            m_pCurrentPage->addItem(link, link);
        m_pCurrentPage->setCurrentIndex(std::max(0, static_cast<int>(shown.indexOf(chosen))));
    }
    UpdateCurrent();
}

void CLivePreviewWindow::UpdateCurrent()
{
    const QString link = m_pCurrentPage->currentData().toString();
    // The links and the page are read from the same folder.
    m_current = link.isEmpty() ? QList<CItemRef>() : CurrentItems(m_params, QDir::currentPath(), link);
}

void CLivePreviewWindow::ShowOnPage(const QString &strLink)
{
    const int at = m_pCurrentPage->findData(strLink);
    m_pCurrentPage->setCurrentIndex(at < 0 ? 0 : at);
}

bool CLivePreviewWindow::TakeConfiguration()
{
    if (!m_source || !m_source(m_params))
        return false;
    if (m_pWatchedPage)
        m_pWatchedPage->ApplyShownValues(m_params);
    return true;
}

QSize CLivePreviewWindow::NeededCanvasSize() const
{
    const QRect area = DrawnArea();
    if (area.isEmpty())
        return kSmallestCanvas;
    return (area.size() + QSize(2 * kMargin, 2 * kMargin)).expandedTo(kSmallestCanvas);
}

void CLivePreviewWindow::FitCanvas()
{
    // The canvas never gets smaller than the menu at full size, as far as the
    // screen has room for it beside the window's frame and the status line:
    // a menu that fits the screen is always drawn 1:1, and a larger one fills
    // the screen. A bigger minimum also makes the window grow.
    const QScreen *screen = isVisible() && this->screen() ? this->screen() : m_pOwner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize need = NeededCanvasSize();
    if (!screen) {
        m_pCanvas->setMinimumSize(need);
        return;
    }
    const QRect avail = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const int width = std::min(need.width(), avail.width() - frame.width());
    const int statusHeight = m_pStatus->heightForWidth(width);
    const QSize room(avail.width() - frame.width(),
                     avail.height() - frame.height() - std::max(statusHeight, m_pStatus->minimumSizeHint().height()));
    const QSize least = need.boundedTo(room).expandedTo(kSmallestCanvas);
    if (least == m_pCanvas->minimumSize())
        return;
    m_pCanvas->setMinimumSize(least);
    if (!isVisible())
        return;
    // Grown at once, and kept on the screen.
    layout()->activate();
    KeepOnScreen();
}

QWidget *CLivePreviewWindow::Canvas() const
{
    return m_pCanvas;
}

QString CLivePreviewWindow::StatusText() const
{
    return m_pStatus->text();
}

double CLivePreviewWindow::Scale() const
{
    const QRect area = DrawnArea();
    if (area.isEmpty())
        return 1.0;
    const double sx = double(std::max(1, m_pCanvas->width() - 2 * kMargin)) / area.width();
    const double sy = double(std::max(1, m_pCanvas->height() - 2 * kMargin)) / area.height();
    return std::min({1.0, sx, sy});
}

QPointF CLivePreviewWindow::Origin() const
{
    const QRect area = DrawnArea();
    const double scale = Scale();
    // Whole pixels, so that an unscaled picture stays sharp. The area may
    // start left of the applet (a sub menu kept on a phone's page).
    return QPointF(std::floor((m_pCanvas->width() - area.width() * scale) / 2 - area.left() * scale),
                   std::floor((m_pCanvas->height() - area.height() * scale) / 2 - area.top() * scale));
}

QPoint CLivePreviewWindow::ToCanvas(const QPoint &appletPoint) const
{
    const double scale = Scale();
    const QPointF o = Origin();
    return QPoint(int(std::floor(o.x() + (appletPoint.x() + 0.5) * scale)),
                  int(std::floor(o.y() + (appletPoint.y() + 0.5) * scale)));
}

QPoint CLivePreviewWindow::ToApplet(const QPoint &canvasPoint) const
{
    const double scale = Scale();
    const QPointF o = Origin();
    return QPoint(int(std::floor((canvasPoint.x() + 0.5 - o.x()) / scale)),
                  int(std::floor((canvasPoint.y() + 0.5 - o.y()) / scale)));
}

void CLivePreviewWindow::UpdateIfChanged(const CRenderState &before)
{
    const CRenderState &now = m_pointer.State();
    if (now.hover != before.hover || now.pressed != before.pressed || now.nOpenSubMenu != before.nOpenSubMenu
        || now.keys != before.keys)
        m_pCanvas->update();
}

void CLivePreviewWindow::ShowItemLink(const CItemRef &ref)
{
    const CAppletMenuItem *item = m_params.m_pMainMenu->GetItem(ref.nMain);
    if (ref.IsSub())
        item = item->m_pSubMenu->GetItem(ref.nSub);
    const QString none = QStringLiteral("(none)");
    m_pStatus->setText(QStringLiteral("%1: link %2, target frame %3")
                           .arg(item->m_strLabel.isEmpty() ? QStringLiteral("(no label)") : item->m_strLabel,
                                item->m_strLink.isEmpty() ? none : item->m_strLink,
                                item->m_strTarget.isEmpty() ? none : item->m_strTarget));
}
