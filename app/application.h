// The application object: an error that reaches the event loop is shown to the user in a message
// box and the program goes on, as errors from a menu command or a redraw should.
#pragma once

#include <QApplication>
#include <QString>

#include <functional>

class TApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* Receiver, QEvent* Event) override;
};

// Runs Deliver; an error it raises goes to Show and counts as handled. While one error is being
// shown (its message box runs an event loop of its own) further errors go to Log, so a fault that
// repeats on every repaint cannot stack up message boxes.
bool DeliverShowingErrors(const std::function<bool()>& Deliver,
                          const std::function<void(const QString&)>& Show,
                          const std::function<void(const QString&)>& Log);
