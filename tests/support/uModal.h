#pragma once
// Answers the next modal window (a message box, a dialog) from inside its own event loop,
// so a test can click through what a user would see.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

inline void OnNextModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}
