#include "app/WizardApp.h"
#include "wizard/MenuWizardSheet.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTimer>

namespace {

// For the start-up benchmark only: closes the wizard as soon as it has
// painted for the first time, so that a run measures launch to first paint.
class CQuitOnFirstPaint : public QObject {
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
    QApplication qapp(argc, argv);
    // Named after the program file itself, not the link it was started
    // through, so that settings and captions are the same however it starts.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    CQuitOnFirstPaint quitter;
    if (qEnvironmentVariableIsSet("VANTREL_QUIT_ON_FIRST_PAINT"))
        qapp.installEventFilter(&quitter);
    CWizardApp app;
    app.InitInstance();
    // The process ends when the wizard closes.
    CMenuWizardSheet::RunModal(app);
    return 0;
}
