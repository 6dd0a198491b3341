// Binary STL: the triangles of a mesh in single precision, little-endian, for meshers and
// printers.
#pragma once

#include <string>

struct TTriangleMesh;

// EIOError when the file cannot be written.
void WriteBinaryStl(const std::string& FileName, const TTriangleMesh& Mesh);
