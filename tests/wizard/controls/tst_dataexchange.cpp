#include "TestApp.h"
#include "Typing.h"
#include "model/menu/AppletMenu.h"

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

// Opens the sheet on the page, entered from the template page.
CWizardPage &OpenAt(CTestApp &t, Page page)
{
    switch (page) {
    case Page::General:
        return t.OpenSheetAt(&CMenuWizardSheet::m_pageGeneral);
    case Page::MenuStyle:
        return t.OpenSheetAt(&CMenuWizardSheet::m_pageMenuStyle);
    case Page::Item:
        break;
    }
    return t.OpenSheetAt(&CMenuWizardSheet::m_pageItem);
}

} // namespace

void TestDataExchange::numberCheck_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: accepted

    const QString integer = QStringLiteral("Please enter an integer.");
    const auto range = [](int lo, int hi) {
        return QStringLiteral("Please enter an integer between %1 and %2.").arg(lo).arg(hi);
    };
    // Each box's limits, on both sides.
    QTest::newRow("x position 1000") << Page::General << QByteArray("1019") << "1000" << QString();
    QTest::newRow("x position 0") << Page::General << QByteArray("1019") << "0" << QString();
    QTest::newRow("x position 1001") << Page::General << QByteArray("1019") << "1001" << range(0, 1000);
    QTest::newRow("y position 1000") << Page::General << QByteArray("1021") << "1000" << QString();
    QTest::newRow("y position 1001") << Page::General << QByteArray("1021") << "1001" << range(0, 1000);
    QTest::newRow("item width 640") << Page::MenuStyle << QByteArray("1027") << "640" << QString();
    QTest::newRow("item width 641") << Page::MenuStyle << QByteArray("1027") << "641" << range(1, 640);
    QTest::newRow("item width 0") << Page::MenuStyle << QByteArray("1027") << "0" << range(1, 640);
    QTest::newRow("item height 480") << Page::MenuStyle << QByteArray("1028") << "480" << QString();
    QTest::newRow("item height 481") << Page::MenuStyle << QByteArray("1028") << "481" << range(1, 480);
    QTest::newRow("item height 0") << Page::MenuStyle << QByteArray("1028") << "0" << range(1, 480);
    QTest::newRow("border 0") << Page::MenuStyle << QByteArray("1030") << "0" << QString();
    QTest::newRow("border 481") << Page::MenuStyle << QByteArray("1030") << "481" << range(0, 480);
    QTest::newRow("item gap 480") << Page::MenuStyle << QByteArray("1029") << "480" << QString();
    QTest::newRow("item gap 481") << Page::MenuStyle << QByteArray("1029") << "481" << range(0, 480);
    QTest::newRow("main count 20") << Page::Item << QByteArray("1037") << "20" << QString();
    QTest::newRow("main count 21") << Page::Item << QByteArray("1037") << "21" << range(1, 20);
    QTest::newRow("main count 0") << Page::Item << QByteArray("1037") << "0" << range(1, 20);
    QTest::newRow("sub count 1") << Page::Item << QByteArray("1050") << "1" << QString();
    QTest::newRow("sub count 21") << Page::Item << QByteArray("1050") << "21" << range(1, 20);
    QTest::newRow("sub count 0") << Page::Item << QByteArray("1050") << "0" << range(1, 20);
    // Digits beyond an int are a number out of range, whatever the box.
    QTest::newRow("x position, 11 digits") << Page::General << QByteArray("1019") << "99999999999"
                                           << range(0, 1000);
    QTest::newRow("y position, 11 digits") << Page::General << QByteArray("1021") << "99999999999"
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
    QTest::newRow("item width, empty") << Page::MenuStyle << QByteArray("1027") << "" << integer;
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
    CWizardPage &shown = OpenAt(t, page);
    CMenuWizardSheet &sheet = *t.sheet;
    sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    QCOMPARE(sheet.GetActivePage(), &shown);
    CWizardPage *const next = sheet.GetPage(sheet.GetPageIndex(&shown) + 1);
    auto *edit = Control<QLineEdit>(&shown, box.constData());
    QVERIFY(edit);
    QVERIFY(edit->isEnabled());

    Type(edit, text);
    sheet.NextButton()->click();
    if (message.isEmpty()) {
        QVERIFY(t.ui->messages.isEmpty());
        QCOMPARE(sheet.GetActivePage(), next);
        return;
    }
    // Told once, kept on the page with the box focused and its text selected.
    QCOMPARE(t.ui->MessageTexts(), QStringList{message});
    QCOMPARE(sheet.GetActivePage(), &shown);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), text);

    // Back is refused the same way; a good value lets the user go.
    sheet.BackButton()->click();
    QCOMPARE(t.ui->messages.size(), 2);
    QCOMPARE(sheet.GetActivePage(), &shown);
    Type(edit, QStringLiteral("7"));
    sheet.NextButton()->click();
    QCOMPARE(t.ui->messages.size(), 2);
    QCOMPARE(sheet.GetActivePage(), next);
}

QTEST_MAIN(TestDataExchange)
#include "tst_dataexchange.moc"
