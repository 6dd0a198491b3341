// The binary STL writer: an 80-byte header, the triangle count, then per triangle its unit normal,
// three corners and a zero attribute word, every number little-endian whatever the machine.
#include "exchange/stlfile.h"

#include "exchange/closedbody.h"
#include "geometry/records.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// One record of little-endian words, written to the stream at once.
class TLittleEndianRecord {
public:
    void Word(std::uint32_t V, int Bytes = 4) {
        for (int b = 0; b < Bytes; ++b) Data.push_back(static_cast<char>((V >> (8 * b)) & 0xffu));
    }
    void Float(double V) { Word(std::bit_cast<std::uint32_t>(static_cast<float>(V))); }
    void Point(double X, double Y, double Z) {
        Float(X);
        Float(Y);
        Float(Z);
    }
    void WriteTo(std::ostream& Out) {
        Out.write(Data.data(), static_cast<std::streamsize>(Data.size()));
        Data.clear();
    }

private:
    std::string Data;
};

} // namespace

void WriteBinaryStl(std::ostream& Out, const TTriangleMesh& Mesh) {
    std::string Header = "Keelvane hull body, binary STL";
    Header.resize(80, ' ');
    Out.write(Header.data(), static_cast<std::streamsize>(Header.size()));
    TLittleEndianRecord W;
    W.Word(static_cast<std::uint32_t>(Mesh.Triangles.size()));
    W.WriteTo(Out);
    for (const auto& T : Mesh.Triangles) {
        const TRPoint& A = Mesh.Vertices[static_cast<std::size_t>(T[0])];
        const TRPoint& B = Mesh.Vertices[static_cast<std::size_t>(T[1])];
        const TRPoint& C = Mesh.Vertices[static_cast<std::size_t>(T[2])];
        const double NX = (B.Y - A.Y) * (C.Z - A.Z) - (B.Z - A.Z) * (C.Y - A.Y);
        const double NY = (B.Z - A.Z) * (C.X - A.X) - (B.X - A.X) * (C.Z - A.Z);
        const double NZ = (B.X - A.X) * (C.Y - A.Y) - (B.Y - A.Y) * (C.X - A.X);
        const double Length = std::sqrt(NX * NX + NY * NY + NZ * NZ);
        if (Length > 0)
            W.Point(NX / Length, NY / Length, NZ / Length);
        else
            W.Point(0, 0, 0);
        for (const TRPoint* P : {&A, &B, &C}) W.Point(P->X, P->Y, P->Z);
        W.Word(0, 2);
        W.WriteTo(Out);
    }
}
