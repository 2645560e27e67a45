// The start-up benchmark's peer: a dialog holding one label, closed as soon
// as it has painted for the first time (as the wizard does under
// VANTREL_QUIT_ON_FIRST_PAINT).
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class QuitOnFirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            if (auto *dialog = qobject_cast<QDialog *>(static_cast<QWidget *>(watched)->window())) {
                qApp->removeEventFilter(this);
                QTimer::singleShot(0, dialog, &QDialog::reject);
            }
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QuitOnFirstPaint quitter;
    app.installEventFilter(&quitter);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Welcome"), &dialog));
    dialog.exec();
    return 0;
}
