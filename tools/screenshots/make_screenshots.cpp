// Takes the software centres' screenshots (res/screenshots/) from the wizard
// itself, drawn offscreen with the fonts installed: the template page, the
// item page with the menu tree, and the live preview with a sub menu open.
//
//   cmake --build build/release --target vantrel_screenshots
//   build/release/bin/vantrel_screenshots res/screenshots

#include "app/WizardApp.h"
#include "wizard/preview/LivePreviewWindow.h"
#include "wizard/tree/MenuTreeView.h"
#include "wizard/sheet/MenuWizardSheet.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

// The template the pictures show, and the main item whose sub menu is open.
constexpr int kTemplate = 2;
constexpr int kOpenItem = 1;

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        QTest::qWait(50);
        QCoreApplication::processEvents();
    }
}

bool Save(QWidget *window, const QDir &out, const char *name)
{
    const QString path = out.filePath(QLatin1String(name));
    if (!window->grab().save(path, "PNG")) {
        std::fprintf(stderr, "vantrel_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), window->width(), window->height());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    if (argc != 2) {
        std::fputs("Usage: vantrel_screenshots FOLDER\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    CWizardApp app;
    app.InitInstance();
    CMenuWizardSheet sheet(app);
    app.SetWizardSheet(&sheet);
    sheet.show();
    Settle();

    sheet.NextButton()->click();
    sheet.m_pageTemplate.m_listTemplates->setCurrentRow(kTemplate);
    Settle();
    bool saved = Save(&sheet, out, "template-page.png");

    while (sheet.GetActivePage() != &sheet.m_pageItem) {
        sheet.NextButton()->click();
        Settle();
    }
    CMenuTreeView *tree = sheet.m_pageItem.m_treeMenu;
    tree->expandAll();
    tree->setCurrentIndex(tree->model()->index(0, 0, tree->model()->index(kOpenItem, 0)));
    Settle();
    saved = Save(&sheet, out, "item-page.png") && saved;

    // The preview, its keyboard walk on the main item with the sub menu.
    sheet.ShowLivePreview();
    Settle();
    CLivePreviewWindow *preview = sheet.findChild<CLivePreviewWindow *>();
    QWidget *canvas = preview->Canvas();
    canvas->setFocus();
    for (int i = 0; i <= kOpenItem; ++i)
        QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down);
    Settle();
    saved = Save(preview, out, "live-preview.png") && saved;

    app.SetWizardSheet(nullptr);
    return saved ? 0 : 1;
}
