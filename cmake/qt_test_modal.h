// Widget tests answer modal windows (dialogs, message boxes) from inside the event loop that runs
// them, as a user would.
#pragma once

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

// Runs Answer on the next modal window to open once it shows; Answer must close it. Gives up,
// failing the test, when none opens within two seconds.
inline void WhenModal(std::function<void(QWidget& Modal)> Answer) {
    auto* Poll = new QTimer;
    QWidget* const Before = QApplication::activeModalWidget();
    QObject::connect(Poll, &QTimer::timeout, [Poll, Before, Answer, Tries = 0]() mutable {
        QWidget* Modal = QApplication::activeModalWidget();
        if (Modal && Modal != Before && Modal->isVisible()) {
            Poll->deleteLater();
            Poll->stop();
            Answer(*Modal);
        } else if (++Tries == 200) {
            Poll->deleteLater();
            Poll->stop();
            ADD_FAILURE() << "no modal window opened";
        }
    });
    Poll->start(10);
}
