// Owning lists of polylines: the plain list with its record, and the list whose items may be
// curves that draw and map themselves as curves.
#pragma once

#include "geometry/polyline.h"

#include <memory>
#include <vector>

class TGStream;
class TMatrix;
class TTextReader;
class TTextWriter;

class TPolylineList {
public:
    TPolylineList() = default;
    TPolylineList(const TPolylineList&) = delete;
    TPolylineList& operator=(const TPolylineList&) = delete;
    // Moving hands the contents over whole (a model taking over a loaded state).
    TPolylineList(TPolylineList&&) = default;
    TPolylineList& operator=(TPolylineList&&) = default;
    virtual ~TPolylineList() = default;

    int Count() const { return static_cast<int>(Items.size()); }
    TPolyline& Polyline(int i) const;
    // A missing P is ignored; the list takes ownership.
    void AddPolyline(std::unique_ptr<TPolyline> P);
    void Delete(int i);
    virtual void Clear() { Items.clear(); }

    // Appends the polylines of a "NumPolylines=" record; a polyline that fails to read is
    // dropped, those read before it stay.
    virtual void LoadFromText(TTextReader& F);
    virtual void SaveToText(TTextWriter& F) const;

    // Every item as its point chain (a curve shows its control polygon).
    void Draw(TGStream& Stream) const;
    // Every item mapped as a point chain; none for a matrix that is not 4 x 4.
    std::unique_ptr<TPolylineList> TransformedCopy(const TMatrix& M) const;

private:
    std::vector<std::unique_ptr<TPolyline>> Items;
};

class TBSplineList : public TPolylineList {
public:
    // Per item: "[" + class name + "]", its own record, an empty line. There is no reader.
    void SaveToText(TTextWriter& F) const override;
    // Curves draw as curves, the other items as polylines.
    void Draw(TGStream& Stream) const;
    // Curves map to curves, the other items to polylines; none for a matrix that is not 4 x 4.
    std::unique_ptr<TBSplineList> TransformedCopy(const TMatrix& M) const;
};
