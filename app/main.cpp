// Keelvane: the main window with the hull parameter window beside it; a project named on the
// command line (as the desktop's "open with" passes it) opens at start.
#include "app/application.h"
#include "app/mainform.h"
#include "geometry/textutil.h"

#include <QFileInfo>

int main(int argc, char* argv[]) {
    TApplication Application(argc, argv);
    Application.setApplicationName("Keelvane");
    SetProgramBaseName(argv[0]);
    TMainForm MainForm;
    MainForm.show();
    const QStringList Arguments = QApplication::arguments();
    if (Arguments.size() > 1) MainForm.OpenStartProject(QFileInfo(Arguments[1]).absoluteFilePath());
    return QApplication::exec();
}
