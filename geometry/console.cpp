// TConsole: the text logger and the program's global instance.
#include "geometry/console.h"

#include "geometry/errors.h"

void TConsole::SetActive(bool Value) {
    if (Value == FActive) return;
    if (Value) {
        F.open(FileName, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!F) throw EIOError("Unable to open file " + FileName);
        FActive = true;
    } else {
        FActive = false;
        F.close();
        if (!F) throw EIOError("Unable to write file " + FileName);
    }
}

void TConsole::WriteLine(const std::string& S) {
    if (OnWrite) OnWrite(S);
    if (!FActive) return;
    F << S << '\n';
    if (!F) throw EIOError("Unable to write file " + FileName);
}

TConsole& Console() {
    static TConsole Instance;
    return Instance;
}
