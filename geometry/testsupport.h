// Test helpers of the curve, mesh and surface tests: a stream that records its lines, record text
// written to and read from strings, and the plain basis recursion the fast evaluation must match.
#pragma once

#include "geometry/errors.h"
#include "geometry/gstream.h"
#include "geometry/recordtext.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

class TLineRecorder : public TGStream {
public:
    std::vector<std::array<double, 6>> Lines;
    void Line(double X1, double Y1, double Z1, double X2, double Y2, double Z2) override {
        Lines.push_back({X1, Y1, Z1, X2, Y2, Z2});
    }
};

// The record lines Object writes, without their CR LF ends.
template <class T> std::vector<std::string> RecordLines(const T& Object) {
    std::vector<std::string> Lines;
    std::istringstream In(RecordText(Object));
    for (std::string L; std::getline(In, L);) Lines.push_back(L.substr(0, L.size() - 1));
    return Lines;
}

// Reads Object's record from the given lines.
template <class T> void ReadRecord(T& Object, const std::vector<std::string>& Lines) {
    std::string Text;
    for (const auto& L : Lines) Text += L + "\r\n";
    ReadRecordText(Object, Text);
}

// The Cox-de Boor recursion written out on 1-based arrays (Knot[1 .. n + k]), with 0/0 = 0 and
// the last-knot rule; N[1 .. n] are the basis values.
inline std::vector<double> ReferenceBasis(const std::vector<double>& Knot, int n, int k, double t) {
    const int m = n + k;
    std::vector<double> N(static_cast<std::size_t>(m + 1), 0.0);
    for (int i = 1; i <= m - 1; ++i) N[i] = Knot[i] <= t && t < Knot[i + 1] ? 1 : 0;
    for (int d = 2; d <= k; ++d)
        for (int i = 1; i <= m - d; ++i) {
            const double a = N[i] != 0 ? (t - Knot[i]) * N[i] / (Knot[i + d - 1] - Knot[i]) : 0;
            const double b =
                N[i + 1] != 0 ? (Knot[i + d] - t) * N[i + 1] / (Knot[i + d] - Knot[i + 1]) : 0;
            N[i] = a + b;
        }
    if (t == Knot[m]) N[n] = 1;
    return N;
}

// Action raises a kernel error whose text is Text.
template <class F> void ExpectMessage(F Action, const std::string& Text) {
    try {
        Action();
        ADD_FAILURE() << "no exception, expected " << Text;
    } catch (const EKeelvaneError& E) {
        EXPECT_EQ(E.what(), Text);
    }
}

// Reading Lines into Object raises a kernel error whose text is Text.
template <class T>
void ExpectReadFails(T& Object, const std::vector<std::string>& Lines, const std::string& Text) {
    ExpectMessage([&] { ReadRecord(Object, Lines); }, Text);
}
