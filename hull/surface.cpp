// The hull surface: the control net copied from the columns, with the half-breadths of the aft
// run taken from the waterlines, and the export of the whole construction as a geometry file.
#include "hull/keelvane.h"

#include "geometry/errors.h"
#include "geometry/geofile.h"
#include "geometry/records.h"

void TKeelvane::CreateMesh() {
    for (int c = 0; c < NumColumns(); ++c)
        for (int j = 0; j < NumRows; ++j) SetPoint(c, j, Column(c).Point(j));

    // The run follows the waterlines rather than the sections it was built from.
    const auto FollowWaterlines = [&](int c0, int c1, int j0, int j1) {
        for (int c = c0; c <= c1; ++c)
            for (int j = j0; j <= j1; ++j) Point(c, j).Y = HalfBreadthAt(Point(c, j));
    };
    FollowWaterlines(4, 8, 7, 11);
    FollowWaterlines(4, 8, 5, 6);
    FollowWaterlines(4, 7, 3, 4);
    FollowWaterlines(4, 4, 2, 2);
    SmoothMeshPoint(8, 4);
    SmoothMeshPoint(8, 3);
}

double TKeelvane::HalfBreadthAt(const TRPoint& P) {
    const double z = P.Z;
    std::unique_ptr<TRPoint> Result;
    try {
        // The waterline at z from the midship section over the end of the parallel body and
        // the cut line to the stern frame.
        auto Mid = FMidshipSection.PointAtZ(z);
        auto Q = FAftFlatBoundary.PointAtZ(z);
        auto Cut = FAftCutLine.PointAtZ(z);
        auto R = FSternKeelLine.PointAtZ(z);
        auto T = FSternFrame.PointAtZ(z);
        if (Mid && Q && Cut && R && T) {
            TBSpline S(4);
            S.AddCopy(Mid.get());
            for (int i = 0; i < 3; ++i) S.AddCopy(Q.get());
            Q->X = Cut->X;
            S.AddCopy(Q.get());
            TPolyline QR;
            QR.AddCopy(Q.get());
            QR.AddCopy(R.get());
            auto M = QR.PointAtX((Q->X + T->X) / 2);
            if (M) {
                S.AddCopy(M.get());
                S.AddCopy(T.get());
                Result = S.PointAtX(P.X);
            }
        }
    } catch (const EKeelvaneError&) {
        ShowMessage(GeneralText(P.X));
    }
    if (!Result) {
        ShowMessage("Error: " + GeneralText(P.X) + " " + GeneralText(P.Y) + " " + GeneralText(P.Z));
        return P.Y;
    }
    return Result->Y;
}

void TKeelvane::SmoothMeshPoint(int c, int j) {
    TBSpline S(4);
    for (int dc : {-2, -1, 1, 2}) S.AddCopy(&Point(c + dc, j));
    TRPoint& P = Point(c, j);
    P.X = (Point(c - 1, j).X + Point(c + 1, j).X) / 2;
    // With no point of the row at the new station the half-breadth stays.
    if (auto Q = S.PointAtX(P.X)) P.Y = Q->Y;
}

void TKeelvane::ExportDiagnostics(const std::string& FileName) {
    TSafeFile File(FileName);
    ExportDiagnostics(File);
}

void TKeelvane::ExportDiagnostics(TSafeFile& Output) {
    TGeometryFile File(Output);
    File.Write(FMidshipSection);
    File.Write(FTransom);
    File.Write(FAftFlatBoundary);
    File.Write(FSternProfile);
    File.Write(FStemProfile);
    File.Write(FDeckLine);
    File.Write(FAftWaterlines);
    File.Write(FAftSections);
    File.Write(FColumns);
    File.Write(FSternKeelLine);
    File.Write(FForeWaterlines);
    File.Write(FAftFlatBoundary);
    File.Write(FForeFlatBoundary);
    File.Write(FBowConstructionLine);
    TBSplineSurface Net(NumU, NumV);
    Net.Assign(static_cast<const TBSplineSurface&>(*this));
    File.Write(Net);
    File.Close();
}
