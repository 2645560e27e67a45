#include "TestApp.h"
#include "Typing.h"
#include "model/AppletMenu.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The number check that every page's boxes share, driven through the pages.
class TestDataExchange : public QObject {
    Q_OBJECT
private slots:
    void numberCheck_data();
    void numberCheck();
};

namespace {

enum class Page { General, MenuStyle, Item };

CWizardPage &PageOf(CMenuWizardSheet &sheet, Page page)
{
    switch (page) {
    case Page::General:
        return sheet.m_pageGeneral;
    case Page::MenuStyle:
        return sheet.m_pageMenuStyle;
    case Page::Item:
        break;
    }
    return sheet.m_pageItem;
}

} // namespace

void TestDataExchange::numberCheck_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const QString integer = QStringLiteral("Please enter an integer.");
    const auto range = [](int lo, int hi) {
        return QStringLiteral("Please enter an integer between %1 and %2.").arg(lo).arg(hi);
    };
    // Digits beyond an int are a number out of range, whatever the box.
    QTest::newRow("x position, 11 digits") << Page::General << QByteArray("1019") << "99999999999"
                                           << range(0, 1000);
    QTest::newRow("y position, int max + 1") << Page::General << QByteArray("1021") << "2147483648"
                                             << range(0, 1000);
    QTest::newRow("y position, int max") << Page::General << QByteArray("1021") << "2147483647"
                                         << range(0, 1000);
    QTest::newRow("item width, 30 digits") << Page::MenuStyle << QByteArray("1027")
                                           << "123456789012345678901234567890" << range(1, 640);
    QTest::newRow("item gap, 12 digits") << Page::MenuStyle << QByteArray("1029") << "123456789012"
                                         << range(0, 480);
    QTest::newRow("main count, 12 digits") << Page::Item << QByteArray("1037") << "123456789012"
                                           << range(1, 20);
    QTest::newRow("sub count, 12 digits") << Page::Item << QByteArray("1050") << "123456789012"
                                          << range(1, 20);
    // What is no number at all keeps the plain message.
    QTest::newRow("x position, empty") << Page::General << QByteArray("1019") << "" << integer;
    QTest::newRow("item height, empty") << Page::MenuStyle << QByteArray("1028") << "" << integer;
    QTest::newRow("main count, empty") << Page::Item << QByteArray("1037") << "" << integer;
}

void TestDataExchange::numberCheck()
{
    QFETCH(Page, page);
    QFETCH(QByteArray, box);
    QFETCH(QString, text);
    QFETCH(QString, message);

    CTestApp t;
    CAppletParameters &params = t.app.m_params;
    params.m_pMainMenu->GetSubMenu(0); // so the sub count box is in use
    // Every other box holds a good number, so only the one typed into fails.
    for (bool sub : {false, true}) {
        *MenuStyleFields(params, sub).pWidth = 100;
        *MenuStyleFields(params, sub).pHeight = 20;
    }
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    // Entered from the template page, which enables Back and Next.
    sheet.SetActivePage(&sheet.m_pageTemplate);
    CWizardPage &shown = PageOf(sheet, page);
    sheet.SetActivePage(&shown);
    QCOMPARE(sheet.GetActivePage(), &shown);
    auto *edit = Control<QLineEdit>(&shown, box.constData());
    QVERIFY(edit);
    QVERIFY(edit->isEnabled());

    Type(edit, text);
    sheet.NextButton()->click();
    // Told once, kept on the page with the box focused and its text selected.
    QCOMPARE(t.ui->MessageTexts(), QStringList{message});
    QCOMPARE(sheet.GetActivePage(), &shown);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), text);
}

QTEST_MAIN(TestDataExchange)
#include "tst_dataexchange.moc"
