// Fuzz target: the parameters and surface of a project file as the hull model reads them.
// Whatever loads must save and load again to the same text.
#include "geometry/recordtext.h"
#include "hull/keelvane.h"

#include "geometry/errors.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TKeelvane Model;
    std::string First;
    try {
        ReadRecordText(Model, std::string(reinterpret_cast<const char*>(Data), Size));
        First = RecordText(Model);
    } catch (const EKeelvaneError&) {
        return 0; // refused with a message: the reader's answer to a bad file
    }
    TKeelvane Reloaded;
    ReadRecordText(Reloaded, First); // a file the model wrote always reads back
    if (RecordText(Reloaded) != First) std::abort();
    return 0;
}
