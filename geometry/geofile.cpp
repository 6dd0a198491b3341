// The geometry file writer: labelled records of curves, lists, meshes and surfaces.
#include "geometry/geofile.h"

#include "geometry/bsurface.h"
#include "geometry/mesh.h"
#include "geometry/polygon.h"
#include "geometry/polylist.h"

TGeometryFile::TGeometryFile(const std::string& FileName)
    : FOwned(std::make_unique<TSafeFile>(FileName)), FFile(*FOwned), F(FFile.Stream()) {}

TGeometryFile::TGeometryFile(TSafeFile& File) : FFile(File), F(File.Stream()) {}

void TGeometryFile::Close() {
    FFile.Commit();
}

void TGeometryFile::Header(std::string_view ClassName) {
    std::string Line = "[";
    Line.append(ClassName).push_back(']');
    TTextWriter(F).Line(Line);
}

void TGeometryFile::EndEntry() {
    TTextWriter(F).Line("");
}

// Curves and surfaces choose their own record and header name through their virtual operations.
void TGeometryFile::Write(const TPolyline& Entity) {
    Entry(Entity.ClassName(), Entity);
}

// A curve list labels each of its items itself.
void TGeometryFile::Write(const TPolylineList& Entity) {
    Entry(dynamic_cast<const TBSplineList*>(&Entity) ? "" : "TPolylineList", Entity);
}

void TGeometryFile::Write(const TMesh& Entity) {
    Entry(Entity.ClassName(), Entity);
}

void TGeometryFile::Write(const TPolygonList& Entity) {
    Entry("TPolygonList", Entity);
}

void TGeometryFile::Write(const TBSplineSurfaceList& Entity) {
    Entry("TBSplineSurfaceList", Entity);
}
