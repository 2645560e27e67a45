#pragma once

#include "model/config/AppletParameters.h"
#include "render/MenuPointer.h"
#include "render/MenuRenderer.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class CSmallMenuLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class CWizardPage;

// A tool window beside the wizard that draws the menu as the page will show
// it, from a working copy of the configuration plus whatever the active page
// shows but has not stored yet. The pointer works as on the page: the item
// under it takes its Mouse Move style, a pressed item its Mouse Click style,
// resting on a main item opens its sub menu, and a click shows the item's
// link and target frame in the status line (nothing is opened). The arrow
// keys and Enter do the same from the keyboard.
class CLivePreviewWindow : public QWidget {
    Q_OBJECT
public:
    // Copies the configuration as stored into its argument; false when
    // there is none to show.
    using ConfigurationSource = std::function<bool(CAppletParameters &)>;

    // A tool window of `owner` (the wizard), placed beside it, drawing what
    // `source` gives plus what the watched page shows.
    CLivePreviewWindow(QWidget *owner, ConfigurationSource source);
    ~CLivePreviewWindow() override;

    // Follows the values being edited on `page` (the page now shown; null
    // for none), and only there, and redraws.
    void WatchPage(CWizardPage *page);
    // The configuration was stored: a stored image path may name a file that
    // has changed since, so images are read again.
    void OnConfigurationStored();
    // Another menu replaced the one shown (a template, a reopened page,
    // Start New): it starts at rest, nothing open, hovered or walked.
    void OnNewMenu();

    // Shows the window (beside the wizard the first time) and raises it,
    // leaving the keyboard with the wizard.
    void Open();
    // Makes it the active window with the keyboard in the drawing.
    void TakeKeyboard();

    // Takes the configuration again and redraws.
    void Refresh();

    // You are here: shows the menu as it stands on the page strLink names
    // (one of the menu's links; "" for none): the items linking to it, and
    // the main item whose sub menu holds one, in their Mouse Click look.
    void ShowOnPage(const QString &strLink);
    const QList<CItemRef> &CurrentItemsShown() const { return m_current; }

    // The page width "Phone" shows the menu at.
    static constexpr int kPhoneWidth = 360;

    // What is drawn, and the pointer's effect on it.
    const CAppletParameters &Shown() const { return m_params; }
    const CRenderState &State() const { return m_pointer.State(); }
    QString StatusText() const;
    // The drawing area, its scale (1 or less) and where an applet point lies on it.
    QWidget *Canvas() const;
    double Scale() const;
    QPoint ToCanvas(const QPoint &appletPoint) const;
    QPoint ToApplet(const QPoint &canvasPoint) const;

protected:
    void showEvent(QShowEvent *event) override;
    // Escape closes the window and gives the keyboard back to the wizard.
    void keyPressEvent(QKeyEvent *event) override;

private:
    class CCanvas;
    friend class CCanvas;

    // Redraws when the pointer's effect differs from `before`.
    void UpdateIfChanged(const CRenderState &before);
    // Copies the configuration and the active page's shown values into
    // m_params; false when there is no application.
    bool TakeConfiguration();
    // The canvas that shows the whole applet area 1:1 with its margin.
    QSize NeededCanvasSize() const;
    // Keeps the canvas at least that big, within the screen.
    void FitCanvas();
    // Moves the window back inside its screen's free area where it sticks out.
    void KeepOnScreen();
    void ShowItemLink(const CItemRef &item);
    // Where the applet's top left lies on the canvas, and the scale.
    QPointF Origin() const;
    // With "Phone" ticked the menu is drawn as a page kPhoneWidth pixels
    // wide shows it: the small-screen form where that is narrower than the
    // menu's box or the menu is too small for a phone (CMenuLayout::
    // NeedsSmallForm; its list and sections opened by clicks), else the menu
    // with its sub menus kept on that page.
    int PageWidth() const;
    bool SmallForm() const;
    CSmallMenuLayout PhoneLayout() const;
    void PhoneClicked(const QPoint &pt);
    // What the canvas shows, in applet coordinates.
    QRect DrawnArea() const;
    // The "On page" choice: the menu's links, and the items it makes current.
    void FillCurrentPages();
    void UpdateCurrent();

    QWidget *m_pOwner;
    ConfigurationSource m_source;
    QPointer<CWizardPage> m_pWatchedPage;
    QMetaObject::Connection m_editedConnection;
    CAppletParameters m_params;
    CMenuRenderer m_renderer;
    CMenuPointer m_pointer;
    CCanvas *m_pCanvas = nullptr;
    QLabel *m_pStatus = nullptr;
    // Says that the page's own font shows as System UI, while a look takes it.
    QLabel *m_pPageFont = nullptr;
    QCheckBox *m_pPhone = nullptr;
    QComboBox *m_pCurrentPage = nullptr;
    QList<CItemRef> m_current;
    bool m_bPlaced = false;
    bool m_bPhone = false;
    bool m_bPhoneShown = false;
    int m_nPhoneSection = -1;
};
