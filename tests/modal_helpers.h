#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Runs `action` on the modal window as soon as one is open (of the class
// `className`, when given), so that a test can play the user's part while the
// code under test waits in exec().
inline void whenModalOpens(std::function<void(QWidget *modal)> action, int timeoutMs = 5000,
                           const char *className = nullptr)
{
    auto *timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, elapsed, timeoutMs, className] {
        *elapsed += 10;
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && (!className || modal->inherits(className))) {
            timer->deleteLater();
            action(modal);
        } else if (*elapsed > timeoutMs) {
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// The tests end each case with no window left open.
inline bool noModalLeftOpen()
{
    return QApplication::activeModalWidget() == nullptr;
}
