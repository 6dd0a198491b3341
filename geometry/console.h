// TConsole, a minimal text logger writing to a file and/or a handler, and its global instance.
#pragma once

#include <fstream>
#include <functional>
#include <string>

class TConsole {
public:
    TConsole() = default;
    TConsole(const TConsole&) = delete;
    TConsole& operator=(const TConsole&) = delete;

    std::string FileName;
    std::function<void(const std::string&)> OnWrite;

    bool Active() const { return FActive; }
    // Activating opens FileName afresh (EIOError when it cannot); deactivating closes it.
    void SetActive(bool Value);
    // Calls OnWrite when set, then writes S and a line end to the file when active.
    void WriteLine(const std::string& S);

private:
    std::ofstream F;
    bool FActive = false;
};

// The program's one logger, inactive and without a handler until someone sets it up.
TConsole& Console();
