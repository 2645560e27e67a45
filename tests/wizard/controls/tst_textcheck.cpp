#include "TestApp.h"
#include "model/menu/AppletMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Texts typed or pasted into the pages may not hold control characters.
class TestTextCheck : public QObject {
    Q_OBJECT
private slots:
    void controlCharacters_data();
    void controlCharacters();
};

namespace {

const QString kMessage = QStringLiteral(
    "This text holds a control character (such as a line break), which cannot reach the "
    "menu applet. Please remove it.");

// The stored value a box feeds, as the configuration holds it.
QString Stored(CAppletParameters &p, const QByteArray &box)
{
    const CAppletMenuItem *main = p.m_pMainMenu->GetItem(0);
    const CAppletMenuItem *sub = main->m_pSubMenu->GetItem(0);
    if (box == "1013")
        return p.m_HTMLTitle;
    if (box == "1017")
        return p.m_appBKImagePath;
    if (box == "pageDescription")
        return p.m_PageDescription;
    if (box == "1041" || box == "1047")
        return (box == "1041" ? main : sub)->m_strLabel;
    if (box == "1043" || box == "1049")
        return (box == "1043" ? main : sub)->m_strLink;
    if (box == "1022" || box == "1023")
        return (box == "1022" ? main : sub)->m_strTarget;
    return (box == "1042" ? main : sub)->m_strImage;
}

} // namespace

void TestTextCheck::controlCharacters_data()
{
    QTest::addColumn<bool>("itemPage");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QChar>("character");
    QTest::addColumn<bool>("refused");

    const struct {
        bool itemPage;
        const char *box;
        const char *name;
    } boxes[] = {{false, "1013", "title"},      {false, "1017", "background image"},
                 {false, "pageDescription", "description"},
                 {true, "1041", "main label"},  {true, "1043", "main link"},
                 {true, "1022", "main target"}, {true, "1042", "main image"},
                 {true, "1047", "sub label"},   {true, "1049", "sub link"},
                 {true, "1023", "sub target"},  {true, "1048", "sub image"}};
    // Each box meets a C1 character (read as a Windows-1252 one by browsers)
    // and a line break; the edges of the ranges go round the boxes.
    const char16_t edges[] = {0x00, 0x08, 0x0A, 0x1F, 0x7F, 0x9F};
    int n = 0;
    for (const auto &b : boxes) {
        QTest::addRow("%s, U+0080", b.name) << b.itemPage << QByteArray(b.box) << QChar(0x80) << true;
        QTest::addRow("%s, line feed", b.name) << b.itemPage << QByteArray(b.box) << QChar(0x0A) << true;
        const char16_t edge = edges[n++ % std::size(edges)];
        QTest::addRow("%s, U+%04X", b.name, unsigned(edge)) << b.itemPage << QByteArray(b.box) << QChar(edge)
                                                             << true;
    }
    // Tab and the first characters past each range pass.
    QTest::newRow("title, tab") << false << QByteArray("1013") << QChar(u'\t') << false;
    QTest::newRow("title, U+00A0") << false << QByteArray("1013") << QChar(0xA0) << false;
    QTest::newRow("main label, tab") << true << QByteArray("1041") << QChar(u'\t') << false;
    QTest::newRow("sub link, U+00A0") << true << QByteArray("1049") << QChar(0xA0) << false;
}

void TestTextCheck::controlCharacters()
{
    QFETCH(bool, itemPage);
    QFETCH(QByteArray, box);
    QFETCH(QChar, character);
    QFETCH(bool, refused);

    CTestApp t;
    CAppletParameters &params = t.app.m_params;
    params.m_pMainMenu->GetSubMenu(0);
    // A page for today's browsers, whose description box takes input.
    params.m_ModernPage = 1;
    params.m_PageLang = QStringLiteral("en");
    for (bool sub : {false, true}) {
        *MenuStyleFields(params, sub).pWidth = 100;
        *MenuStyleFields(params, sub).pHeight = 20;
    }
    const QString before = Stored(params, box);
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    sheet.SetActivePage(&sheet.m_pageTemplate);
    CWizardPage &page = itemPage ? static_cast<CWizardPage &>(sheet.m_pageItem) : sheet.m_pageGeneral;
    sheet.SetActivePage(&page);

    // Pasted into the emptied box.
    auto *widget = page.findChild<QWidget *>(QString::fromLatin1(box));
    QVERIFY(widget);
    auto *combo = qobject_cast<QComboBox *>(widget);
    QLineEdit *edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(widget);
    QVERIFY(edit && edit->isEnabled());
    const QString text = QStringLiteral("ab") + character + QStringLiteral("cd");
    widget->setFocus(Qt::MouseFocusReason);
    edit->clear();
    QApplication::clipboard()->setText(text);
    edit->paste();
    QCOMPARE(edit->text(), text);

    sheet.NextButton()->click();
    if (!refused) {
        QVERIFY(t.ui->messages.isEmpty());
        QVERIFY(sheet.GetActivePage() != &page);
        QCOMPARE(Stored(params, box), text);
        return;
    }
    // Told once, kept on the page with the character selected; nothing stored.
    QCOMPARE(t.ui->MessageTexts(), QStringList{kMessage});
    QCOMPARE(sheet.GetActivePage(), &page);
    QCOMPARE(QApplication::focusWidget(), widget);
    QCOMPARE(edit->selectedText(), QString(character));
    QCOMPARE(Stored(params, box), before);

    // Once mended the page can be left.
    edit->setText(QStringLiteral("abcd"));
    sheet.NextButton()->click();
    QVERIFY(sheet.GetActivePage() != &page);
    QCOMPARE(t.ui->MessageTexts().count(kMessage), 1); // (the finish page may miss the image)
    QCOMPARE(Stored(params, box), QStringLiteral("abcd"));
}

QTEST_MAIN(TestTextCheck)
#include "tst_textcheck.moc"
