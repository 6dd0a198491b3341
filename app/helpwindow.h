// Keelvane's help: a window that explains the hull parameters, the toolbar and the mouse, and
// the About box.
#pragma once

#include <QDialog>

class QTextBrowser;

class THelpWindow : public QDialog {
public:
    explicit THelpWindow(QWidget* Parent = nullptr);

    QTextBrowser& Browser() const { return *FBrowser; }

private:
    QTextBrowser* FBrowser;
};

// The About box: the program's name, version and what it does.
void ShowAbout(QWidget* Parent);
// Its text, rich text of a few lines.
QString AboutText();
