// An object's record as text, and a record read from text: the round trip of the tests and the
// fuzz targets.
#pragma once

#include "geometry/records.h"

#include <sstream>
#include <string>

template <class T> std::string RecordText(const T& Object) {
    std::ostringstream Out;
    TTextWriter W(Out);
    Object.SaveToText(W);
    return Out.str();
}

template <class T> void ReadRecordText(T& Object, const std::string& Text) {
    std::istringstream In(Text);
    TTextReader Reader(In);
    Object.LoadFromText(Reader);
}
