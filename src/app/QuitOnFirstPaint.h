#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

// For the start-up benchmark only: installed on the application, it closes
// the first dialog that paints, as soon as it has painted, so that a run
// measures launch to first paint (and the way out). The wizard and the
// benchmark's one-label peer use this same filter.
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
