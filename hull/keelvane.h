// The hull model: the principal dimensions and shape parameters of a single-screw hull, the
// defining curves built from them, and (as the B-spline surface it is) the hull's control net.
#pragma once

#include "geometry/bspline.h"
#include "geometry/bsurface.h"
#include "geometry/polylist.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGStream;
class TSafeFile;
class TTextReader;
class TTextWriter;

// What a change of Lbp scales: every length, or the longitudinal lengths only.
enum TTransformMode : std::uint8_t { tmGeosim = 0, tmLengthOnly = 1 };

// A step of the generation as a user would look for it: what it builds and the parameters that
// shape it most.
struct TGenerationStage {
    std::string_view What;       // "the stern frame"; empty outside a generation
    std::string_view Parameters; // "StBossRadius, StShaftHeight, ..."
};

// The saved parameters, in project-file order. Lengths in the one user unit; x forward from the
// aft perpendicular, y the half-breadth, z up from the keel.
struct TKeelvaneParameters {
    std::uint8_t BowShape = 0; // 1 bulbous bow, 0 plain bow
    double Lbp = 0;
    double Beam = 0;
    double Depth = 0;
    double Draught = 0;
    double ParallelDeckF = 0;
    double ParallelDeckA = 0;
    double FOSBow = 0;
    double FOSAft = 0;
    double BowRadiusAtDeck = 0;
    double BilgeRadius = 0;
    double TransomBehindAP = 0;
    double TransomImmersion = 0;
    double TransomBeam = 0;
    double TransomCurvature = 0; // percent, -100 .. 100
    double BowCurvature = 0;     // percent, -100 .. 100
    double BulbRadius = 0;
    double ForeOverHang = 0;
    double BulbLength = 0;
    double ForeFootRadius = 0;
    double StemRadius = 0;
    double StRootHeight = 0;
    double StShaftHeight = 0;
    double StBossToot = 0;
    double StBossRadius = 0;
    double StBossStart = 0;
    double StFlatOfBottomStart = 0;
};

class TKeelvane : public TBSplineSurface {
public:
    // The class name in the first line of a project file. The application saves and loads as
    // its editor object, so the model and every tool share the editor's name.
    static constexpr std::string_view ProjectClassName = "TKeelvaneEditor";
    static constexpr const char* NoDefinitionText = "File does not contain a Keelvane Definition";
    static constexpr const char* IntersectionErrorText = "Error in intersections";
    static constexpr int ParameterCount = 27;
    static constexpr int NumRows = 12; // control-net rows: keel/centre line 0 .. deck edge 11

    // The defaults, with the curves built by this class's own SetDefaults: an override in a
    // derived class is not reachable while the base is being constructed.
    TKeelvane();
    ~TKeelvane() override;
    // Takes over another model's whole state (a loaded project); hooks stay this object's.
    TKeelvane& operator=(TKeelvane&& Other);

    TTransformMode TransformMode = tmGeosim;
    // Folder of the diagnostic geometry files written by Generate (the export, and the two
    // files of a failed intersection); empty: none are written.
    std::string DiagnosticsFolder;
    std::string DiagnosticsExportName = "KeelvaneOut.geo";

    // --- parameters
    const TKeelvaneParameters& Parameters() const { return FParams; }
    // The project-file key of parameter Index (0 .. 26) and the index of a key (-1: none).
    static std::string_view ParameterKey(int Index);
    static int ParameterIndex(std::string_view Key);
    // Parameter Index as a number (BowShape 0 or 1).
    double ParameterValue(int Index) const;
    // Through the parameter's setter: limits, couplings and the dependent curve steps apply.
    // BowShape becomes 1 exactly when Value is 1.
    void SetParameterValue(int Index, double Value);

    // Each setter stores the value, applies its limits and couplings, then re-runs the curve
    // steps that depend on it. A length, radius or height below its least value (negative, or
    // 0 where the hull needs more) is refused unstored, with a message naming the parameter and
    // its range. Parameters that make the hull impossible together raise EGeometryError naming
    // them; the value stays stored and the model stays usable.
    void SetBowShape(std::uint8_t Flag);
    void SetLbp(double Value);
    void SetBeam(double Value);
    void SetDepth(double Value);
    void SetDraught(double Value);
    void SetParallelDeckF(double Value);
    void SetParallelDeckA(double Value);
    void SetFOSBow(double Value);
    void SetFOSAft(double Value);
    void SetBowRadiusAtDeck(double Value);
    void SetBilgeRadius(double Value);
    void SetTransomBehindAP(double Value);
    void SetTransomImmersion(double Value);
    void SetTransomBeam(double Value);
    void SetTransomCurvature(double Value);
    void SetBowCurvature(double Value);
    void SetBulbRadius(double Value);
    void SetForeOverHang(double Value);
    void SetBulbLength(double Value);
    void SetForeFootRadius(double Value);
    void SetStemRadius(double Value);
    void SetStRootHeight(double Value);
    void SetStShaftHeight(double Value);
    void SetStBossToot(double Value);
    void SetStBossRadius(double Value);
    void SetStBossStart(double Value);
    void SetStFlatOfBottomStart(double Value);

    // --- values derived by the curve steps
    int NumColumns() const { return FColumns.Count(); }
    // The last column of the parallel middle body; the eight columns of the entrance follow it.
    int LastMidColumn() const { return NumColumns() - 9; }
    double ParallelDeckLength() const { return FParams.ParallelDeckF - FParams.ParallelDeckA; }
    double BowWidthAux() const { return FBowWidthAux; }
    double MidBodyFwd() const { return FMidBodyFwd; }
    double MidBodyAft() const { return FMidBodyAft; }
    double SternProfileHeight() const { return FSternProfileHeight; }
    double Midship() const { return FParams.Lbp / 2; }

    // --- the defining curves
    const TPolyline& AftCutLine() const { return FAftCutLine; }
    const TPolyline& ForeCutLine() const { return FForeCutLine; }
    const TPolylineList& Columns() const { return FColumns; }
    const TBSpline& StemProfile() const { return FStemProfile; }
    const TBSpline& SternProfile() const { return FSternProfile; }
    const TBSpline& SternFrame() const { return FSternFrame; }
    const TBSpline& AftDeckLine() const { return FAftDeckLine; }
    const TBSpline& DeckLine() const { return FDeckLine; }
    const TBSpline& MidshipSection() const { return FMidshipSection; }
    const TBSpline& Transom() const { return FTransom; }
    const TBSpline& ForeFlatBoundary() const { return FForeFlatBoundary; }
    const TBSpline& AftFlatBoundary() const { return FAftFlatBoundary; }
    const TBSpline& BowConstructionLine() const { return FBowConstructionLine; }
    const TBSplineList& ForeWaterlines() const { return FForeWaterlines; }
    const TBSplineList& AftWaterlines() const { return FAftWaterlines; }
    const TBSpline& BossSideLine() const { return FBossSideLine; }
    const TBSpline& SternKeelLine() const { return FSternKeelLine; }
    const TPolylineList& AftSections() const { return FAftSections; }
    // The seven curves that define the hull to the eye: midship section, stem and stern profile,
    // the aft and fore flat boundaries, transom and deck line.
    std::array<const TBSpline*, 7> DefiningSplines() const;

    // --- the project file
    // The 27 parameter lines, the surface record, then a "SternProfileHeight=" line: the one
    // length the Geosim transformation scales that no parameter line holds.
    void SaveToText(TTextWriter& F) const override;
    // 27 parameter lines assigned by position, RebuildCurves, the surface record, then the
    // stern profile height when the next line holds it (earlier projects end with the surface
    // record and keep the model's height). Curves that cannot be built from the parameters are
    // reported through ShowMessage, not raised.
    void LoadFromText(TTextReader& F) override;
    std::string_view ClassName() const override { return "TKeelvane"; }
    // Written safely (see TSafeFile): a failed save leaves an existing file intact.
    virtual void SaveToFile(const std::string& FileName);
    // The project file's text into File, which it commits.
    void WriteProject(TSafeFile& File) const;
    // All or nothing: a file that fails anywhere raises its message and leaves the model as it
    // was.
    virtual void LoadFromFile(const std::string& FileName);

    // --- generation
    virtual void SetDefaults();
    // Clears the control net and rebuilds the curves that need no waterlines.
    void RebuildCurves();
    // The whole pipeline: curves, waterlines, columns, control net; then the diagnostics.
    virtual void Generate();
    // The step Generate is running, or stopped in when it raised; empty otherwise.
    const TGenerationStage& Stage() const { return FStage; }
    // The control net as a wire grid.
    virtual void Draw(TGStream& Stream);
    // The bow construction line, the fore waterlines and the columns.
    virtual void DrawPreview(TGStream& Stream);
    // The construction as a geometry file; raises EIOError when it cannot be written.
    void ExportDiagnostics(const std::string& FileName);
    // The same into File, which it commits.
    void ExportDiagnostics(TSafeFile& File);

    // The half-breadth of the aft body at the height and station of P; P.Y when none is found.
    double HalfBreadthAt(const TRPoint& P);
    // The part of Section below the single point where it crosses Waterline in profile;
    // raises "<n> intersection(s) found" unless there is exactly one.
    static std::unique_ptr<TPolyline> IntersectOnce(TPolyline& Section, TPolyline& Waterline);

    // --- hooks for a user interface; empty here
    virtual void GenerationDone() {}
    virtual void ShowStatus(const std::string& Text) { (void)Text; }
    virtual void ShowProgress(int Percent) { (void)Percent; }
    // Errors and warnings met during generation that do not stop it.
    virtual void ShowMessage(const std::string& Text) { (void)Text; }

private:
    using TStep = void (TKeelvane::*)();
    using TParameterField = double TKeelvaneParameters::*;

    TKeelvaneParameters FParams;
    TGenerationStage FStage;
    double FBowWidthAux = 0;
    double FMidBodyFwd = 0;
    double FMidBodyAft = 0;
    double FSternProfileHeight = 0;

    TPolyline FAftCutLine;
    TPolyline FForeCutLine;
    TPolylineList FColumns;
    TBSpline FStemProfile{4};
    TBSpline FSternProfile{4};
    TBSpline FSternFrame{4};
    TBSpline FAftDeckLine{4};
    TBSpline FDeckLine{4};
    TBSpline FMidshipSection{4};
    TBSpline FTransom{4};
    TBSpline FForeFlatBoundary{4};
    TBSpline FAftFlatBoundary{4};
    TBSpline FBowConstructionLine{4};
    TBSplineList FForeWaterlines;
    TBSplineList FAftWaterlines;
    TBSpline FBossSideLine{4};
    TBSpline FSternKeelLine{4};
    TPolylineList FAftSections;

    // Abbreviations of the construction: beam, depth, draught, bilge radius, length, half
    // breadth, aft end and stem head x.
    double B() const { return FParams.Beam; }
    double D() const { return FParams.Depth; }
    double T() const { return FParams.Draught; }
    double r() const { return FParams.BilgeRadius; }
    double L() const { return FParams.Lbp; }
    double b() const { return FParams.Beam / 2; }
    double xA() const { return -FParams.TransomBehindAP; }
    double xF() const { return FParams.Lbp + FParams.ForeOverHang; }
    bool Bulbous() const { return FParams.BowShape == 1; }
    TPolyline& Column(int k) const { return FColumns.Polyline(k); }
    double Station(int k) const { return FColumns.Polyline(k).GetXPosition(); }

    // The field of parameter Index 1 .. 26 (every one but BowShape).
    static TParameterField ParameterField(int Index);
    // P itself; EGeometryError "<What>" when the search found none.
    static TRPoint Required(std::unique_ptr<TRPoint> P, const std::string& What);
    // Raises EGeometryError naming the parameters when the hull cannot be built from them.
    void CheckParameters() const;
    // CheckParameters, then the steps in order.
    void RunSteps(std::initializer_list<TStep> Steps);
    // The curve steps that need no waterlines, in order (RebuildCurves without clearing the net).
    void BuildCurves();
    void ScaleLengths(double f);
    void SetFlatOfSideEnd(double& FOS, double& DeckEnd, double HullEnd, double Value);
    void RebuildFlats();
    void StoreSternValue(TParameterField Field, double Value);
    // Raises EGeometryError "<Key> must be 0 or more" (or "greater than 0") when Value is below
    // the least value of the parameter stored in Field; nothing is stored then.
    static void CheckValue(TParameterField Field, double Value);

    // Curve steps.
    void BalanceFlats();
    void LayoutColumns();
    void BuildMidshipSection();
    void BuildForeFlatBoundary();
    void BuildAftFlatBoundary();
    void BuildStemProfile();
    void BuildStemSideColumn();
    void BuildBowConstructionLine();
    void BuildForeCutLine();
    void BuildAftCutLine();
    void BuildTransom();
    void BuildSternProfile();
    void BuildAftDeckLine();
    void BuildDeckLine();
    void AddAftDeckPoints(TBSpline& Line) const;
    double StemFootX() const;    // where the straight stem produced meets the keel
    double BulbColumnX() const;  // the station of the column aft of the bulb
    double BowGuideStep() const; // the step of an entrance begun at midships
    double BowGuideX() const;    // xm of the bow guide line
    double BowGuideY() const;    // ym of the bow guide line

    // Waterlines and bow columns.
    void BuildForeWaterlines();
    void FillForeColumns();
    // Raises EGeometryError naming the first fore column with rows no waterline reached.
    void CheckForeColumnsFilled();
    void BuildBulb(); // for a bulbous bow only
    void BuildSternFrame();
    void BuildAftWaterlines();
    void BuildAftSections();
    double ForeCutX(double Z);

    // Columns and control net.
    void CreateColumns();
    void FillSternColumns();
    void FillRunColumn(int c, const std::vector<std::unique_ptr<TPolyline>>& Waterlines);
    void FillMidBodyColumns();
    void ReportIntersectionError(TPolyline& Waterline, TPolyline& Section);
    void CreateMesh();
    // Raises EGeometryError (and clears the net) when a net point is not finite or lies on the
    // wrong side of the centre plane or the base line beyond the point tolerance.
    void CheckNet();
    std::string ParametersNear(double x) const;
    void SmoothMeshPoint(int c, int j);
    void ExportDiagnosticsAfterGeneration();
};
