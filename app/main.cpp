// Keelvane: the main window with the hull parameter window beside it.
#include "app/application.h"
#include "app/mainform.h"
#include "geometry/textutil.h"

int main(int argc, char* argv[]) {
    TApplication Application(argc, argv);
    Application.setApplicationName("Keelvane");
    SetProgramBaseName(argv[0]);
    TMainForm MainForm;
    MainForm.show();
    return QApplication::exec();
}
