// Knot vectors of the B-spline curves and surfaces: their kinds and names, the open and periodic
// builders, their text form, and the basis functions a knot vector defines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TTextReader;

// Knot kinds of a curve or surface; any value above ktNonUniform counts as Custom.
inline constexpr std::uint8_t ktOpen = 0;
inline constexpr std::uint8_t ktPeriodic = 1;
inline constexpr std::uint8_t ktNonUniform = 2;
inline constexpr std::uint8_t ktCustom = 3;

// "Open", "Periodic", "NonUniform", any other kind "Custom".
std::string KnotTypeName(std::uint8_t KnotType);
// The kind whose upper-cased name S contains, tested in the order Open, Periodic, NonUniform,
// Custom, so a whole record line may be passed; EReadError with UnknownText when none occurs.
std::uint8_t KnotTypeFromText(std::string_view S, const char* UnknownText);

// Reads the head that curve and surface records share, up to the order line, which it answers:
// an optional knot-kind line (its upper-cased text contains "KNOTTYPE"), handed to ReadKnots,
// which reads the knot block that its kind carries; then an optional "ForcedBezier" line, which
// sets ForcedBezier.
std::string ReadKnotHead(TTextReader& F, bool& ForcedBezier,
                         const std::function<void(std::string_view KindLine)>& ReadKnots);

// Raises EGeometryError when Count is below 2: sampling divides the range by Count - 1.
void CheckSampleCount(int Count);

// Value taken in single precision and cut to six decimals, as curves keep their knots and range;
// EMathError "Floating point overflow" when it does not fit single precision.
double CutToSixDecimals(double Value);

// The highest order a record may give: one evaluation costs work of the order squared.
inline constexpr int MaxOrder = 500;
// k when it is an order 1 ... MaxOrder, else EReadError "Error in field " + Field.
int OrderInRange(long long k, std::string_view Field);
// The order of a record line, checked as OrderInRange does.
int FieldOrder(std::string_view Line, std::string_view Field);

// The basis functions of one evaluation that may be nonzero: Value[0 .. Count - 1] belong to the
// functions First + 1 ... First + Count (1-based); all other functions are 0.
struct TBasisValues {
    int First = 0;
    int Count = 0;
    std::vector<double> Value;
    // Work rows of the triangular evaluation, kept to avoid allocations between evaluations.
    std::vector<double> Left, Right;

    // Function i (1-based): its value when it was evaluated, else 0.
    double Function(int i) const {
        const int a = i - 1 - First;
        return a >= 0 && a < Count ? Value[static_cast<std::size_t>(a)] : 0.0;
    }
};

// A knot vector Knot[1], Knot[2], ... of non-decreasing or arbitrary values. Entries never set
// read as 0, so a vector shorter than a curve needs behaves as if padded with zeros.
class TKnotVector {
public:
    int Count() const { return static_cast<int>(FKnots.size()); }
    // 1-based; 0 for an entry never set.
    double Get(int i) const;
    // 1-based; the vector grows as needed.
    void Set(int i, double Value);

    // k zeros, then 1, 2, ..., n - k, then k copies of n - k + 1 (m = n + k entries).
    void MakeOpen(int n, int k);
    // 0, 1, ..., n + k - 1.
    void MakePeriodic(int n, int k);

    // "[" + the first m knots in the general number format separated by blanks + "]".
    std::string ToString(int m) const;
    // Sets Knot[1], Knot[2], ... from the words between "[" and "]"; a word that is not a number
    // raises EConvertError. With CutToSixDecimals each value is taken in single precision and cut
    // to six decimals.
    void FromString(std::string_view S, bool CutToSixDecimals);

    // The n basis functions of order k at t (Cox-de Boor, 0/0 = 0); when t equals Knot[n + k]
    // exactly, function n is 1. Only the k functions of t's knot span are evaluated when the
    // knots are sorted and t lies inside Knot[k] .. Knot[n + 1].
    void Evaluate(int n, int k, double t, TBasisValues& B);

private:
    // The highest order evaluated with the span table.
    static constexpr int MaxTableOrder = 4;
    // What the evaluation of one n and k needs beyond the knots, built from sorted knots on the
    // first evaluation after they change: the reciprocal of every knot difference the triangular
    // scheme divides by, k (k - 1) / 2 per span s = k ... n, and the reciprocal of the parameter
    // range per span for the span guess.
    struct TSpanTable {
        int n = 0, k = 0;    // what Usable was last decided for
        bool Usable = false; // false: knots unsorted, order beyond MaxTableOrder, or overflow
        double SpansPerUnit = 0.0;
        std::vector<double> Reciprocal;
    };

    std::vector<double> FKnots; // FKnots[i - 1] is Knot[i]
    // Whether Knot[1 .. FCheckedM] is non-decreasing; FCheckedM -1 when not yet known.
    int FCheckedM = -1;
    bool FSorted = false;
    TSpanTable FTable;

    // Sets Knot[i], which must exist, and forgets what was derived from the knots if it changes.
    void Store(int i, double Value);
    bool SortedUpTo(int m);
    void BuildTable(int n, int k);
    void PadTo(int m);
    int FindSpan(int n, int k, double t) const;
    void EvaluateSpan(int s, int k, double t, TBasisValues& B);
    // Evaluate without the table: outside the spans, unsorted knots, orders beyond it.
    void EvaluateUntabled(int n, int k, double t, TBasisValues& B);
    // The straightforward recursion over all n + k - 1 degree-0 functions: N[0 .. n - 1] hold
    // functions 1 ... n.
    void EvaluateAll(int n, int k, double t, std::vector<double>& N);
};
