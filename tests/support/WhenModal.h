#pragma once

#include <QApplication>
#include <QTimer>

// For widget tests: runs action on the modal dialog of type Dialog as soon
// as one is shown, from inside that dialog's own event loop (exec() blocks
// the test until the action closes it). Looks every few milliseconds and
// acts once; the action must close the dialog.
template <typename Dialog, typename Action>
void WhenModal(Action action)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        action(dialog);
    });
    poll->start();
}
