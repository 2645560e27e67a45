// The start-up benchmark's second peer: a plain Qt dialog showing what the
// wizard shows when it opens (the welcome page's texts, picture and buttons,
// the button row below, the same window), closed as soon as it has painted
// for the first time, as label_dialog is.
#include "app/QuitOnFirstPaint.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

namespace {

QLabel *WrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QFrame *Line(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QPushButton *Button(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

// The page: the picture at the left; the bold heading, a line and the texts
// with their buttons at the right.
QWidget *WelcomePage(QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *picture = new QLabel(page);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setPixmap(QPixmap(QStringLiteral(":/same_page/same_page_picture.png")));

    auto *heading = WrappedLabel(QStringLiteral("Welcome to the Vantrel!"), page);
    QFont bold = heading->font();
    bold.setWeight(QFont::Bold);
    heading->setFont(bold);

    auto *bullets = new QVBoxLayout;
    bullets->setContentsMargins(12, 0, 0, 0);
    bullets->setSpacing(2);
    for (const char *text : {"* Wizard to guide configuration step by step",
                             "* Templates to make work easy",
                             "* Preview Glidebar that you customize"})
        bullets->addWidget(WrappedLabel(QString::fromLatin1(text), page));

    auto *actions = new QGridLayout;
    actions->setColumnStretch(0, 1);
    actions->setHorizontalSpacing(12);
    actions->addWidget(
        WrappedLabel(QStringLiteral("Before starting your work,you can view an Vantrel sample."), page), 0, 0);
    actions->addWidget(Button(QStringLiteral("View Sample"), page), 0, 1);
    actions->addWidget(WrappedLabel(QStringLiteral("You can specify the web browser to preview by "
                                                   "clicking options button."),
                                    page),
                       1, 0);
    actions->addWidget(Button(QStringLiteral("&Options..."), page), 1, 1);
    actions->addWidget(Button(QStringLiteral("&About..."), page), 2, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(heading);
    right->addWidget(Line(page));
    right->addWidget(WrappedLabel(QStringLiteral("This wizard automates the tasks Configuring the "
                                                 "parameters of the Glidebar(TM) Applet."),
                                  page));
    right->addSpacing(4);
    right->addWidget(new QLabel(QStringLiteral("It features:"), page));
    right->addLayout(bullets);
    right->addSpacing(16);
    right->addLayout(actions);
    right->addStretch(1);

    auto *outer = new QHBoxLayout(page);
    outer->addWidget(picture, 0, Qt::AlignTop);
    outer->addSpacing(8);
    outer->addLayout(right, 1);

    // The wizard's least room for its pages (143 average character widths
    // by 23.08 line heights), which it opens at on screens up to some
    // 1400 pixels wide, the benchmark's among them.
    const QFontMetrics metrics(page->font());
    page->setMinimumSize(qCeil(143.0 * metrics.averageCharWidth()), qCeil(23.08 * metrics.lineSpacing()));
    return page;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CQuitOnFirstPaint quitter;
    app.installEventFilter(&quitter);

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Wizard"));
    dialog.setWindowIcon(QIcon(QStringLiteral(":/same_page/icon.png")));
    dialog.setSizeGripEnabled(true);

    auto *undo = Button(QStringLiteral("Undo"), &dialog);
    auto *redo = Button(QStringLiteral("Redo"), &dialog);
    // Nothing to undo or redo yet.
    for (QPushButton *b : {undo, redo}) {
        b->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        b->setEnabled(false);
    }
    auto *back = Button(QStringLiteral("< &Back"), &dialog);
    back->setEnabled(false);
    auto *next = new QPushButton(QStringLiteral("&Next >"), &dialog);
    next->setDefault(true);
    auto *finish = new QPushButton(QStringLiteral("&Finish"), &dialog);
    finish->setVisible(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(undo);
    buttons->addWidget(redo);
    buttons->addStretch(1);
    buttons->addWidget(back);
    buttons->addWidget(next);
    buttons->addWidget(finish);
    buttons->addSpacing(8);
    buttons->addWidget(Button(QStringLiteral("Cancel"), &dialog));
    buttons->addWidget(Button(QStringLiteral("&Help"), &dialog));

    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(WelcomePage(&dialog), 1);
    layout->addWidget(Line(&dialog));
    layout->addLayout(buttons);
    dialog.exec();
    return 0;
}
