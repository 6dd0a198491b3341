// The default hull, generated once for every benchmark of a program that only reads it.
#pragma once

#include "hull/keelvane.h"

inline TKeelvane& GeneratedDefaultHull() {
    static TKeelvane Hull;
    static const bool Generated = (Hull.Generate(), true);
    (void)Generated;
    return Hull;
}
