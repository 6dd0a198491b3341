// The project file: a "[TKeelvaneEditor]" header, the 27 parameter lines and the hull surface's
// record. Loading is all or nothing; saving replaces the old file only once the new one is whole.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/records.h"
#include "geometry/textutil.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

void TKeelvane::SaveToText(TTextWriter& F) const {
    F.Key(ParameterKey(0), FParams.BowShape);
    for (int i = 1; i < ParameterCount; ++i)
        F.Key(ParameterKey(i), FixedText(ParameterValue(i), 3));
    TBSplineSurface::SaveToText(F);
}

// Values are stored as read, by position: no setter runs and no limit applies.
void TKeelvane::LoadFromText(TTextReader& F) {
    const std::string Shape = FieldValue(F.ReadLine());
    const auto Flag = TextToInteger(Shape);
    if (!Flag) throw EConvertError("'" + Shape + "' is not a valid integer value");
    FParams.BowShape = *Flag == 1 ? 1 : 0;
    for (int i = 1; i < ParameterCount; ++i) {
        const double Value = StrToNumber(FieldValue(F.ReadLine()));
        FParams.*ParameterField(i) = Value;
    }
    // Parameters that make no hull are still a readable project: the user sees why and can
    // mend them, as after a setter that refused.
    try {
        RebuildCurves();
    } catch (const EKeelvaneError& E) {
        ShowMessage(std::string("Warning: ") + E.what());
    }
    TBSplineSurface::LoadFromText(F);
}

void TKeelvane::SaveToFile(const std::string& FileName) {
    // A name of this process's own beside the target, so the rename stays on one file system.
    const std::string Temporary = FileName + ".tmp" + std::to_string(getpid());
    try {
        {
            std::ofstream Out(Temporary, std::ios::binary | std::ios::trunc);
            if (!Out) throw EIOError("Unable to create file " + FileName);
            TTextWriter W(Out);
            W.Line("[" + std::string(ProjectClassName) + "]");
            SaveToText(W);
            CloseWrittenFile(Out, FileName);
        }
        std::error_code Error;
        std::filesystem::rename(Temporary, FileName, Error);
        if (Error) throw EIOError("Unable to replace file " + FileName + ": " + Error.message());
    } catch (...) {
        std::error_code Ignored;
        std::filesystem::remove(Temporary, Ignored);
        throw;
    }
}

void TKeelvane::LoadFromFile(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    if (!In) throw EIOError("Unable to open file " + FileName);
    std::ostringstream Text;
    Text << In.rdbuf();
    if (In.bad()) throw EIOError("Unable to read file " + FileName);

    // Read once into a scratch model; only a file that reads there whole reaches this one.
    const auto ReadInto = [&](TKeelvane& Model) {
        std::istringstream Stream(Text.str());
        TTextReader Reader(Stream);
        const std::string Header = Reader.AtEnd() ? std::string() : Reader.ReadLine();
        if (Header.empty() || Header.compare(1, ProjectClassName.size(), ProjectClassName) != 0)
            throw EReadError(NoDefinitionText);
        Model.LoadFromText(Reader);
    };
    TKeelvane Scratch;
    ReadInto(Scratch);
    ReadInto(*this);
}
