// The geometry file: a sequence of entries, each a "[class name]" header, an object's record
// and an empty line.
#pragma once

#include "geometry/records.h"
#include "geometry/safefile.h"

#include <concepts>
#include <memory>
#include <string>
#include <string_view>

class TBSplineSurfaceList;
class TMesh;
class TPolygonList;
class TPolyline;
class TPolylineList;

class TGeometryFile {
public:
    // Writes FileName safely: the old file stays as it was until Close; raises EIOError when
    // the file cannot be created.
    explicit TGeometryFile(const std::string& FileName);
    // Writes into File, which Close commits.
    explicit TGeometryFile(TSafeFile& File);
    TGeometryFile(const TGeometryFile&) = delete;
    TGeometryFile& operator=(const TGeometryFile&) = delete;

    // One entry per call. A curve (TBSpline) writes the curve record, a surface
    // (TBSplineSurface, and the hull) its own record under its own class name. A curve list
    // (TBSplineList) has no header: each item is labelled, and the entry ends with one more
    // empty line.
    void Write(const TPolyline& Entity);
    void Write(const TPolylineList& Entity);
    void Write(const TMesh& Entity);
    void Write(const TPolygonList& Entity);
    void Write(const TBSplineSurfaceList& Entity);
    // Any other object with a class name: its header and the empty line, no record.
    template <class T>
    requires(!std::derived_from<T, TPolyline> && !std::derived_from<T, TPolylineList> &&
             !std::derived_from<T, TMesh> && !std::derived_from<T, TPolygonList> &&
             !std::derived_from<T, TBSplineSurfaceList>) void Write(const T& Entity) {
        Header(Entity.ClassName());
        EndEntry();
    }
    // Writes out what the stream still holds and commits the file, once; raises EIOError when
    // the file did not get all of it (a full disk often shows only here). Callers that keep the
    // file call it: a file never closed is discarded.
    void Close();

private:
    std::unique_ptr<TSafeFile> FOwned;
    TSafeFile& FFile;
    std::ostream& F;

    void Header(std::string_view ClassName);
    void EndEntry();
    // The header (none for an empty name), Entity's record and the empty line.
    template <class T> void Entry(std::string_view ClassName, const T& Entity) {
        if (!ClassName.empty()) Header(ClassName);
        TTextWriter W(F);
        Entity.SaveToText(W);
        EndEntry();
    }
};
