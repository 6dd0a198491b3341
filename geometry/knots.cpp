// Knot vectors: kinds, builders, text form and the Cox-de Boor basis functions they define.
#include "geometry/knots.h"

#include "geometry/errors.h"
#include "geometry/maths.h"
#include "geometry/records.h"
#include "geometry/textutil.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

std::string KnotTypeName(std::uint8_t KnotType) {
    switch (KnotType) {
    case ktOpen:
        return "Open";
    case ktPeriodic:
        return "Periodic";
    case ktNonUniform:
        return "NonUniform";
    default:
        return "Custom";
    }
}

namespace {

std::string UpperCase(std::string_view S) {
    std::string Upper(S);
    for (char& c : Upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return Upper;
}

} // namespace

std::uint8_t KnotTypeFromText(std::string_view S, const char* UnknownText) {
    const std::string Upper = UpperCase(S);
    if (Upper.find("OPEN") != std::string::npos) return ktOpen;
    if (Upper.find("PERIODIC") != std::string::npos) return ktPeriodic;
    if (Upper.find("NONUNIFORM") != std::string::npos) return ktNonUniform;
    if (Upper.find("CUSTOM") != std::string::npos) return ktCustom;
    throw EReadError(UnknownText);
}

std::string ReadKnotHead(TTextReader& F, bool& ForcedBezier,
                         const std::function<void(std::string_view KindLine)>& ReadKnots) {
    std::string L = F.ReadLine();
    if (UpperCase(L).find("KNOTTYPE") != std::string::npos) {
        ReadKnots(L);
        L = F.ReadLine();
    }
    if (L == "ForcedBezier") {
        ForcedBezier = true;
        L = F.ReadLine();
    }
    return L;
}

void CheckSampleCount(int Count) {
    if (Count < 2)
        throw EGeometryError("At least 2 samples are needed, not " + std::to_string(Count));
}

double CutToSixDecimals(double Value) {
    // Converting a double beyond the float range is undefined, not merely inexact.
    if (std::fabs(Value) > std::numeric_limits<float>::max()) throw EMathError(OverflowText);
    return TruncDecimals(6, static_cast<float>(Value));
}

int OrderInRange(long long k, std::string_view Field) {
    if (k < 1 || k > MaxOrder) throw EReadError("Error in field " + std::string(Field));
    return static_cast<int>(k);
}

int FieldOrder(std::string_view Line, std::string_view Field) {
    return FieldInteger(Line, Field, 1, MaxOrder);
}

double TKnotVector::Get(int i) const {
    if (i < 1 || i > Count()) return 0.0;
    return FKnots[static_cast<std::size_t>(i - 1)];
}

void TKnotVector::Set(int i, double Value) {
    if (i < 1) return;
    PadTo(i);
    Store(i, Value);
}

// Rebuilding the same knots, as every sampling of an open surface does, keeps what was derived
// from them.
void TKnotVector::Store(int i, double Value) {
    double& Knot = FKnots[static_cast<std::size_t>(i - 1)];
    const bool Same = Knot == Value; // -0 and 0 alike: they give the same table
    Knot = Value;
    if (Same) return;
    FCheckedM = -1;
    FTable.n = FTable.k = 0;
    FTable.Usable = false;
}

void TKnotVector::PadTo(int m) {
    if (m > Count()) FKnots.resize(static_cast<std::size_t>(m), 0.0);
}

void TKnotVector::MakeOpen(int n, int k) {
    const int m = n + k;
    PadTo(m);
    if (m < 1) return;
    Store(1, 0.0);
    for (int i = 2; i <= m; ++i) {
        const bool Flat = i <= k || i >= n + 2;
        Store(i, FKnots[static_cast<std::size_t>(i - 2)] + (Flat ? 0.0 : 1.0));
    }
}

void TKnotVector::MakePeriodic(int n, int k) {
    const int m = n + k;
    PadTo(m);
    for (int i = 1; i <= m; ++i) Store(i, i - 1);
}

std::string TKnotVector::ToString(int m) const {
    std::string S = "[";
    for (int i = 1; i <= m; ++i) {
        if (i > 1) S += ' ';
        S += GeneralText(Get(i));
    }
    return S + "]";
}

void TKnotVector::FromString(std::string_view S, bool CutToSixDecimals) {
    const std::size_t Close = S.find(']');
    std::string_view Inner =
        Close == std::string_view::npos ? std::string_view() : S.substr(0, Close);
    const std::size_t Open = Inner.find('[');
    if (Open != std::string_view::npos) Inner.remove_prefix(Open + 1);
    Inner = Inner.substr(0, 255);
    const int Words = WordCount(Inner);
    for (int j = 1; j <= Words; ++j) {
        const double Value = StrToNumber(ExtractWord(Inner, j));
        Set(j, CutToSixDecimals ? ::CutToSixDecimals(Value) : Value);
    }
}

bool TKnotVector::SortedUpTo(int m) {
    if (FCheckedM != m) {
        FSorted = std::is_sorted(FKnots.begin(), FKnots.begin() + m);
        FCheckedM = m;
    }
    return FSorted;
}

// The triangular scheme divides by differences of the knots around the span only, so their
// reciprocals are taken once per span and every evaluation multiplies. A span of no width is
// never evaluated and keeps zeros. Knots so far apart that a difference or its reciprocal
// overflows leave the table unused, so that the dividing evaluation raises as it does.
void TKnotVector::BuildTable(int n, int k) {
    FTable.n = n;
    FTable.k = k;
    FTable.Usable = false;
    const int m = n + k;
    PadTo(m);
    if (k < 1 || k > MaxTableOrder || n < k || !SortedUpTo(m)) return;
    const auto Knot = [this](int i) { return FKnots[static_cast<std::size_t>(i - 1)]; };
    const double Range = Knot(n + 1) - Knot(k);
    if (!(Range > 0.0)) return;
    FTable.SpansPerUnit = (n + 1 - k) / Range;
    FTable.Reciprocal.assign(static_cast<std::size_t>((n + 1 - k) * k * (k - 1) / 2), 0.0);
    auto R = FTable.Reciprocal.begin();
    for (int s = k; s <= n; ++s)
        for (int j = 1; j < k; ++j)
            for (int r = 0; r < j; ++r, ++R) {
                if (Knot(s) == Knot(s + 1)) continue;
                *R = 1.0 / (Knot(s + r + 1) - Knot(s + 1 - j + r));
                if (!std::isfinite(*R) || *R == 0.0) return;
            }
    FTable.Usable = true;
}

// The span s (1-based) with Knot[s] <= t < Knot[s + 1] and k <= s <= n, or 0 when t lies outside
// Knot[k] .. Knot[n + 1]. The knots must be sorted. The span is first guessed as if the knots were
// evenly spaced, as open knots are, and then confirmed: a confirmed guess is the one span that
// holds t, so only uneven knots fall back to the binary search.
int TKnotVector::FindSpan(int n, int k, double t) const {
    const auto Knot = [this](int i) { return FKnots[static_cast<std::size_t>(i - 1)]; };
    const double Lo = Knot(k), Hi = Knot(n + 1);
    if (!(t >= Lo && t < Hi)) return 0;
    const double Spans = (t - Lo) * (FTable.Usable ? FTable.SpansPerUnit : (n + 1 - k) / (Hi - Lo));
    // A guess beyond the last span (rounding, or a range that overflowed) tries the last one.
    const int Guess = k + (Spans < n - k ? static_cast<int>(Spans) : n - k);
    if (Knot(Guess) <= t && t < Knot(Guess + 1)) return Guess;
    const auto First = FKnots.begin() + (k - 1), Last = FKnots.begin() + (n + 1);
    return static_cast<int>(std::upper_bound(First, Last, t) - FKnots.begin());
}

namespace {

// The triangular scheme of de Boor for the k functions of span s: Out[0 .. k - 1] from the knots
// Knot[1], Knot[2], ... held from Knots[0], with Left and Right as work rows of k entries. K,
// when not 0, is k known at compile time, so that the loops of a cubic unroll and its rows stay
// in registers. Tabled takes the reciprocals of the span's denominators from Reciprocal, in the
// order the scheme uses them, instead of dividing.
template <int K, bool Tabled>
void SpanFunctions(const double* Knots, const double* Reciprocal, int s, int k, double t,
                   double* Out, double* Left, double* Right) {
    const int Order = K ? K : k;
    double Local[3][K ? K : 1];
    double* N = K ? Local[0] : Out;
    if (K) {
        Left = Local[1];
        Right = Local[2];
    }
    const double* Knot = Knots - 1;
    N[0] = 1.0;
    for (int j = 1; j < Order; ++j) {
        Left[j] = t - Knot[s + 1 - j];
        Right[j] = Knot[s + j] - t;
        // Knots too far apart overflow these differences into NaN values below: raise as the
        // recursion's checked division does. Tabled spans have no such knots.
        if (!Tabled && Left[j] - Left[j] + Right[j] - Right[j] != 0.0) [[unlikely]]
            throw EMathError(InvalidOperationText);
        // The last row goes straight out.
        double* Row = j == Order - 1 ? Out : N;
        double Saved = 0.0;
        for (int r = 0; r < j; ++r) {
            const double Temp = Tabled ? N[r] * *Reciprocal++ : N[r] / (Right[r + 1] + Left[j - r]);
            Row[r] = Saved + Right[r + 1] * Temp;
            Saved = Left[j - r] * Temp;
        }
        Row[j] = Saved;
    }
}

} // namespace

void TKnotVector::Evaluate(int n, int k, double t, TBasisValues& B) {
    if (FTable.n != n || FTable.k != k) BuildTable(n, k);
    const int s = FTable.Usable ? FindSpan(n, k, t) : 0;
    if (s != 0)
        EvaluateSpan(s, k, t, B);
    else
        EvaluateUntabled(n, k, t, B);
}

void TKnotVector::EvaluateUntabled(int n, int k, double t, TBasisValues& B) {
    const int s = k >= 1 && n >= k && SortedUpTo(n + k) ? FindSpan(n, k, t) : 0;
    if (s == 0) {
        EvaluateAll(n, k, t, B.Value);
        B.First = 0;
        B.Count = static_cast<int>(B.Value.size());
        return;
    }
    EvaluateSpan(s, k, t, B);
}

// The k functions s - k + 1 ... s of span s by the triangular scheme of de Boor, which gives the
// recursion's values without its zero terms; every denominator spans the knot span, so none is 0.
void TKnotVector::EvaluateSpan(int s, int k, double t, TBasisValues& B) {
    const auto Size = static_cast<std::size_t>(k);
    if (B.Value.size() < Size) B.Value.resize(Size);
    if (B.Left.size() < Size) {
        B.Left.resize(Size);
        B.Right.resize(Size);
    }
    if (!FTable.Usable) {
        SpanFunctions<0, false>(FKnots.data(), nullptr, s, k, t, B.Value.data(), B.Left.data(),
                                B.Right.data());
    } else {
        const double* Reciprocal = FTable.Reciprocal.data() + (s - k) * k * (k - 1) / 2;
        if (k == 4) // the common cubic, unrolled
            SpanFunctions<4, true>(FKnots.data(), Reciprocal, s, k, t, B.Value.data(), nullptr,
                                   nullptr);
        else
            SpanFunctions<0, true>(FKnots.data(), Reciprocal, s, k, t, B.Value.data(),
                                   B.Left.data(), B.Right.data());
    }
    B.First = s - k;
    B.Count = k;
}

void TKnotVector::EvaluateAll(int n, int k, double t, std::vector<double>& N) {
    const int m = n + k;
    const auto Knot = [this](int i) { return Get(i); };
    // N[i - 1] is function i; there is room for the n functions returned even when k < 1.
    N.assign(static_cast<std::size_t>(std::max({m - 1, n, 0})), 0.0);
    for (int i = 1; i <= m - 1; ++i) N[i - 1] = Knot(i) <= t && t < Knot(i + 1) ? 1.0 : 0.0;
    for (int d = 2; d <= k; ++d) {
        for (int i = 1; i <= m - d; ++i) {
            const double a =
                N[i - 1] != 0.0 ? Divide((t - Knot(i)) * N[i - 1], Knot(i + d - 1) - Knot(i)) : 0.0;
            const double b =
                N[i] != 0.0 ? Divide((Knot(i + d) - t) * N[i], Knot(i + d) - Knot(i + 1)) : 0.0;
            N[i - 1] = a + b;
        }
    }
    if (n >= 1 && t == Knot(m)) N[n - 1] = 1.0;
    N.resize(static_cast<std::size_t>(std::max(n, 0)));
}
