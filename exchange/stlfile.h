// Binary STL: the triangles of a mesh in single precision, little-endian, for meshers and
// printers.
#pragma once

#include <ostream>

struct TTriangleMesh;

// The file's bytes onto Out.
void WriteBinaryStl(std::ostream& Out, const TTriangleMesh& Mesh);
