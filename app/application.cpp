// The application object and its default error display.
#include "app/application.h"

#include <QMessageBox>

#include <cstdio>
#include <exception>

namespace {

void ShowInMessageBox(const QString& Message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), Message);
}

void LogToStandardError(const QString& Message) {
    std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData());
}

} // namespace

bool TApplication::notify(QObject* Receiver, QEvent* Event) {
    return DeliverShowingErrors([&] { return QApplication::notify(Receiver, Event); },
                                ShowInMessageBox, LogToStandardError);
}

bool DeliverShowingErrors(const std::function<bool()>& Deliver,
                          const std::function<void(const QString&)>& Show,
                          const std::function<void(const QString&)>& Log) {
    static bool Showing = false;
    try {
        return Deliver();
    } catch (const std::exception& E) {
        const QString Message = QString::fromLocal8Bit(E.what());
        if (Showing) {
            Log(Message);
            return true;
        }
        struct TShowingScope {
            TShowingScope() { Showing = true; }
            ~TShowingScope() { Showing = false; }
        } Scope;
        Show(Message);
        return true;
    }
}
