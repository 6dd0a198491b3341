// The project file: a "[TKeelvaneEditor]" header, the 27 parameter lines, the hull surface's
// record and the stern profile height. Loading is all or nothing; saving replaces the old file
// only once the new one is whole.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/records.h"
#include "geometry/safefile.h"
#include "geometry/textutil.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
// After the surface record, where a reader that stops at the record never meets it.
constexpr std::string_view SternHeightKey = "SternProfileHeight";
} // namespace

void TKeelvane::SaveToText(TTextWriter& F) const {
    F.Key(ParameterKey(0), FParams.BowShape);
    for (int i = 1; i < ParameterCount; ++i)
        F.Key(ParameterKey(i), FixedText(ParameterValue(i), 3));
    TBSplineSurface::SaveToText(F);
    F.Key(SternHeightKey, FixedText(FSternProfileHeight, 3));
}

namespace {

// The 27 parameter lines as read: by position, or by key when every line names a parameter
// (each once) but in another order.
std::vector<std::string> ParameterValues(TTextReader& F) {
    std::vector<std::string> Lines(TKeelvane::ParameterCount), Values(Lines.size());
    std::vector<int> Index(Lines.size());
    bool Keyed = true, Reordered = false;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        Lines[i] = F.ReadLine();
        Values[i] = FieldValue(Lines[i]);
        const std::size_t Equals = Lines[i].find('=');
        Index[i] =
            Equals == std::string::npos
                ? -1
                : TKeelvane::ParameterIndex(Trim(std::string_view(Lines[i]).substr(0, Equals)));
        Keyed = Keyed && Index[i] >= 0;
        Reordered = Reordered || Index[i] != static_cast<int>(i);
    }
    if (!Keyed || !Reordered) return Values;
    std::vector<std::string> ByKey(Lines.size());
    std::vector<bool> Seen(Lines.size(), false);
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const auto k = static_cast<std::size_t>(Index[i]);
        if (Seen[k]) return Values; // a key twice: the order is not the file's meaning
        Seen[k] = true;
        ByKey[k] = Values[i];
    }
    return ByKey;
}

} // namespace

// Values are stored as read: no setter runs and no limit applies.
void TKeelvane::LoadFromText(TTextReader& F) {
    const std::vector<std::string> Values = ParameterValues(F);
    const auto Flag = TextToInteger(Values[0]);
    if (!Flag) throw EConvertError("'" + Values[0] + "' is not a valid integer value");
    FParams.BowShape = *Flag == 1 ? 1 : 0;
    for (int i = 1; i < ParameterCount; ++i)
        FParams.*ParameterField(i) = StrToNumber(Values[static_cast<std::size_t>(i)]);
    // Parameters that make no hull are still a readable project: the user sees why and can
    // mend them, as after a setter that refused.
    try {
        RebuildCurves();
    } catch (const EKeelvaneError& E) {
        ShowMessage(std::string("Warning: ") + E.what());
    }
    TBSplineSurface::LoadFromText(F);
    // Only these kinds have a parameter range: any other could never be drawn or saved.
    if (KnotType == ktPeriodic || KnotType == ktNonUniform)
        throw EReadError("The hull surface's KnotType is Open or Custom, not " + KnotTypeName());
    if (F.AtEnd()) return;
    const std::string Line = F.ReadLine();
    if (Line.starts_with(std::string(SternHeightKey) + "=")) {
        FSternProfileHeight = StrToNumber(FieldValue(Line));
        BuildSternProfile();
    }
}

void TKeelvane::SaveToFile(const std::string& FileName) {
    TSafeFile File(FileName);
    WriteProject(File);
}

void TKeelvane::WriteProject(TSafeFile& File) const {
    TTextWriter W(File.Stream());
    W.Line("[" + std::string(ProjectClassName) + "]");
    SaveToText(W);
    File.Commit();
}

namespace {

// A model that keeps the messages of a load for the model that takes its state over.
class TLoadingModel : public TKeelvane {
public:
    std::vector<std::string> Messages;
    void ShowMessage(const std::string& Text) override { Messages.push_back(Text); }
};

} // namespace

void TKeelvane::LoadFromFile(const std::string& FileName) {
    if (std::filesystem::is_directory(FileName))
        throw EIOError("Unable to open file " + FileName + ": " + std::strerror(EISDIR));
    errno = 0;
    std::ifstream In(FileName, std::ios::binary);
    if (!In) throw EIOError("Unable to open file " + FileName + ": " + std::strerror(errno));
    std::ostringstream Text;
    Text << In.rdbuf();
    if (In.bad()) throw EIOError("Unable to read file " + FileName + ": " + std::strerror(errno));

    // Read once into a fresh model; only a file that reads there whole reaches this one, and
    // then as a whole: nothing of the previous project (knots, kind, flags) survives.
    TLoadingModel Loaded;
    std::istringstream Stream(Text.str());
    TTextReader Reader(Stream);
    const std::string Header = Reader.AtEnd() ? std::string() : Reader.ReadLine();
    if (Header.empty() || Header.compare(1, ProjectClassName.size(), ProjectClassName) != 0)
        throw EReadError(NoDefinitionText);
    Loaded.LoadFromText(Reader);

    // How this model works (transformation, diagnostics) is not part of a project.
    const TTransformMode Mode = TransformMode;
    std::string Folder = std::move(DiagnosticsFolder),
                ExportName = std::move(DiagnosticsExportName);
    TKeelvane::operator=(std::move(Loaded));
    TransformMode = Mode;
    DiagnosticsFolder = std::move(Folder);
    DiagnosticsExportName = std::move(ExportName);
    for (const std::string& Message : Loaded.Messages) ShowMessage(Message);
}
