// TBusyCursor: the hourglass while a command works, for the life of the scope.
#pragma once

#include <QApplication>

class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
};
