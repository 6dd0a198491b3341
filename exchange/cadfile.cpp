// STEP and IGES files through Open CASCADE. The translators' console messages are switched off:
// the program reports in its own words.
#include "exchange/cadfile.h"

#include "exchange/occtshapes.h"
#include "geometry/errors.h"

#include <APIHeaderSection_MakeHeader.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <IGESData_GlobalSection.hxx>
#include <IGESData_IGESModel.hxx>
#include <Interface_Static.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <STEPControl_Controller.hxx>
#include <STEPControl_Writer.hxx>
#include <StepData_Protocol.hxx>
#include <StepData_StepModel.hxx>
#include <StepData_StepWriter.hxx>
#include <TCollection_HAsciiString.hxx>
#include <XSControl_WorkSession.hxx>

namespace {

constexpr double MetreInMillimetres = 1000.0;

// Open CASCADE's working unit and the files' unit are both the metre, so coordinates pass
// through unscaled.
void PrepareTranslators() {
    Message::DefaultMessenger()->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
    STEPControl_Controller::Init();
    IGESControl_Controller::Init();
    Interface_Static::SetCVal("xstep.cascade.unit", "M");
    Interface_Static::SetCVal("write.step.unit", "M");
    Interface_Static::SetCVal("write.step.schema", "AP214IS");
    Interface_Static::SetCVal("write.iges.unit", "M");
}

void Written(std::ostream& Out, bool Done) {
    if (!Done) Out.setstate(std::ios::badbit);
}

} // namespace

void WriteStep(std::ostream& Out, const TCadContent& Content) {
    const TopoDS_Shape Shape = CadShape(Content);
    PrepareTranslators();
    STEPControl_Writer Writer;
    if (Writer.Transfer(Shape, STEPControl_AsIs) != IFSelect_RetDone)
        throw EGeometryError("Open CASCADE could not translate the hull to STEP");
    APIHeaderSection_MakeHeader Header(Writer.Model());
    Header.SetName(new TCollection_HAsciiString("Keelvane hull"));
    Header.SetOriginatingSystem(new TCollection_HAsciiString("Keelvane"));
    // The writer itself writes only to a file name; its model goes out through the STEP text
    // writer, as the writer's own file output does.
    const auto Protocol = Handle(StepData_Protocol)::DownCast(Writer.WS()->Protocol());
    StepData_StepWriter Text(Writer.Model());
    Text.SendModel(Protocol);
    Written(Out, Text.Print(Out));
}

void WriteIges(std::ostream& Out, const TCadContent& Content) {
    const TopoDS_Shape Shape = CadShape(Content);
    PrepareTranslators();
    IGESControl_Writer Writer("M", 0); // faces as trimmed B-spline surfaces
    // The IGES writer takes its working unit from its own model, not from the setting above.
    IGESData_GlobalSection Global = Writer.Model()->GlobalSection();
    Global.SetCascadeUnit(MetreInMillimetres);
    Writer.Model()->SetGlobalSection(Global);
    if (!Writer.AddShape(Shape))
        throw EGeometryError("Open CASCADE could not translate the hull to IGES");
    Writer.ComputeModel();
    Written(Out, Writer.Write(Out));
}

#if defined(__SANITIZE_ADDRESS__)
// Open CASCADE keeps some translator tables for the whole run and never frees them. The sanitizer
// build's leak check is told so here, in the file every program that writes STEP or IGES links.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libTKernel.so\nleak:libTKXSBase.so\nleak:libTKSTEP.so\nleak:libTKIGES.so\n"
           "leak:libTKSTEPBase.so\nleak:libTKSTEPAttr.so\nleak:libTKBRep.so\n";
}
#endif
