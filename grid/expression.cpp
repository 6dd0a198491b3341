// The expression evaluator: a reader that consumes the expression text from the front, one
// priority level at a time, with parenthesised groups put back into the text as numbers.
#include "grid/expression.h"

#include "geometry/maths.h"
#include "geometry/textutil.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

namespace {

struct TOperator {
    std::string_view Text;
    int Priority;
    double (*Apply)(double A, double B);
};

bool IsTrue(double X) {
    return X != 0.0;
}
double Truth(bool B) {
    return B ? 1.0 : 0.0;
}

// In recognition order: "<" is tried before "<>" and must not be followed by ">".
constexpr std::array<TOperator, 13> Operators{{
    {"+", 2, [](double A, double B) { return Finite(A + B); }},
    {"-", 2, [](double A, double B) { return Finite(A - B); }},
    {"*", 4, [](double A, double B) { return Finite(A * B); }},
    {"/", 4, [](double A, double B) { return Divide(A, B); }},
    {"^", 6, [](double A, double B) { return Power(A, B); }},
    {"=", 12, [](double A, double B) { return Truth(A == B); }},
    {">", 8, [](double A, double B) { return Truth(A > B); }},
    {"<", 8, [](double A, double B) { return Truth(A < B); }},
    {"<>", 12, [](double A, double B) { return Truth(A != B); }},
    {"AND", 8, [](double A, double B) { return Truth(IsTrue(A) && IsTrue(B)); }},
    {"OR", 8, [](double A, double B) { return Truth(IsTrue(A) || IsTrue(B)); }},
    {"NOT", 10, [](double, double B) { return Truth(!IsTrue(B)); }},
    {"XOR", 8, [](double A, double B) { return Truth(IsTrue(A) != IsTrue(B)); }},
}};

const TOperator& Minus = Operators[1];
const TOperator& Not = Operators[11];

// The operator that R starts with, or null.
const TOperator* OperatorAt(std::string_view R) {
    for (const TOperator& Op : Operators) {
        if (!R.starts_with(Op.Text)) continue;
        if (Op.Text == "<" && R.starts_with("<>")) continue;
        return &Op;
    }
    return nullptr;
}

// Position of the first operator of R outside parentheses (R's size when none), and it.
std::pair<std::size_t, const TOperator*> FirstOperator(std::string_view R) {
    int Depth = 0;
    for (std::size_t i = 0; i < R.size(); ++i) {
        if (R[i] == '(') ++Depth;
        if (R[i] == ')') --Depth;
        if (Depth != 0) continue;
        if (const TOperator* Op = OperatorAt(R.substr(i))) return {i, Op};
    }
    return {R.size(), nullptr};
}

double Ln(double X) {
    return LogBase(X, std::numbers::e);
}

double Root(double X) {
    if (X < 0.0) throw EMathError(InvalidOperationText);
    return std::sqrt(X);
}

struct TFunction {
    std::string_view Name;
    double (*Value)(double X);
};

constexpr std::array<TFunction, 20> Functions{{
    {"SIN", [](double X) { return std::sin(X); }},
    {"COS", [](double X) { return std::cos(X); }},
    {"TAN", Tan},
    {"ARCSIN", ArcSin},
    {"ARCCOS", ArcCos},
    {"ARCTAN", [](double X) { return std::atan(X); }},
    {"LOG10", [](double X) { return LogBase(X, 10.0); }},
    {"LN", Ln},
    {"EXP", [](double X) { return Finite(std::exp(X)); }},
    {"SINH", Sinh},
    {"COSH", Cosh},
    {"TANH", Tanh},
    {"ARCSINH", ArcSinh},
    {"ARCCOSH", ArcCosh},
    {"ARCTANH", ArcTanh},
    {"SQRT", Root},
    {"PI", [](double) { return std::numbers::pi; }},
    {"SQN", [](double X) { return static_cast<double>(Sign(X)); }},
    {"TRUE", [](double) { return 1.0; }},
    {"FALSE", [](double) { return 0.0; }},
}};

const TFunction* FindFunction(std::string_view Name) {
    const auto F = std::ranges::find(Functions, Name, &TFunction::Name);
    return F == Functions.end() ? nullptr : &*F;
}

// The power of ten of the first significant digit of a number text (digits, at most one point,
// an unsigned exponent) that holds a non-zero value.
long long LeadingPower(std::string_view T) {
    constexpr long long Saturation = 1000000;
    const std::size_t E = std::min(T.find('E'), T.size());
    long long Exponent = 0;
    for (const char c : T.substr(std::min(E + 1, T.size())))
        Exponent = std::min(Exponent * 10 + (c - '0'), Saturation);
    const std::string_view Mantissa = T.substr(0, E);
    const auto Point = static_cast<long long>(std::min(Mantissa.find('.'), Mantissa.size()));
    const auto First = static_cast<long long>(Mantissa.find_first_of("123456789"));
    return (First < Point ? Point - First - 1 : Point - First) + Exponent;
}

// T read whole as a number, or none when it is a name. A number beyond the range of a double
// raises overflow (naming T when it is the last operand of the text); one too small reads as 0.
std::optional<double> NumberValue(std::string_view T, bool Last) {
    if (const std::optional<double> Number = TextToNumber(T)) return Number;
    double Ignored = 0.0;
    const auto [End, Error] = std::from_chars(T.data(), T.data() + T.size(), Ignored);
    if (Error != std::errc::result_out_of_range || End != T.data() + T.size()) return std::nullopt;
    if (LeadingPower(T) < 0) return 0.0;
    if (!Last) throw EMathError(OverflowText);
    throw EMathError(NumberErrorPrefix + std::string(T) + " " + OverflowText);
}

// A group's value as text that reads back as the same double: fixed notation with at least 20
// decimals (as many more as the value needs), a negative value as "-" and its magnitude.
std::string GroupText(double Value) {
    constexpr std::size_t MinDecimals = 20;
    std::array<char, 400> Buffer;
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), std::abs(Value),
                                      std::chars_format::fixed);
    std::string Text(Buffer.data(), Result.ptr);
    if (Text.find('.') == std::string::npos) Text += '.';
    const std::size_t Decimals = Text.size() - Text.find('.') - 1;
    if (Decimals < MinDecimals) Text.append(MinDecimals - Decimals, '0');
    return Value < 0.0 ? "-" + Text : Text;
}

// Groups and evaluations nested inside one another on this thread: nested evaluations share one
// stack with the groups of the evaluations around them.
thread_local int Nesting = 0;

// One level of nesting, held for its lifetime.
class TNestingLevel {
public:
    TNestingLevel() {
        if (Nesting >= MaxExpressionNesting) throw EExpressionError(NestedTooDeeplyText);
        ++Nesting;
    }
    ~TNestingLevel() { --Nesting; }
    TNestingLevel(const TNestingLevel&) = delete;
    TNestingLevel& operator=(const TNestingLevel&) = delete;
};

// Reads one expression. R, the text still to read, is consumed from the front.
class TExpressionReader {
public:
    explicit TExpressionReader(const TExpressionFunctionEvent& OnFunction)
        : FOnFunction(OnFunction) {}

    // The value of R read at level L (0, 2, ... 12): operators of priority L are applied here,
    // higher ones deeper, and a lower one ends the level.
    double EvaluateLevel(std::string& R, int L) {
        double V = 0.0;
        const TOperator* P = nullptr;
        double PendingSign = 1.0;
        bool PendingNot = false;
        while (!R.empty()) {
            if (const TOperator* Op = OperatorAt(R)) {
                if (P) {
                    R.erase(0, Op->Text.size());
                    if (Op == &Minus)
                        PendingSign = -PendingSign;
                    else if (Op == &Not)
                        PendingNot = !PendingNot;
                    else
                        throw EExpressionError(SecondOperatorText + std::string(Op->Text));
                } else if (L < Op->Priority) {
                    V = EvaluateLevel(R, L + 2);
                } else if (L > Op->Priority) {
                    return V;
                } else {
                    R.erase(0, Op->Text.size());
                    P = Op;
                }
            } else if (R.front() == '(') {
                ReplaceGroup(R);
            } else {
                double X = EvaluateOperand(R, L) * PendingSign;
                if (PendingNot) X = Truth(!IsTrue(X));
                PendingSign = 1.0;
                PendingNot = false;
                V = P ? P->Apply(V, X) : X;
                P = nullptr;
            }
        }
        return V;
    }

private:
    // Takes the group "(...)" off R and puts its value back in its place. An unclosed group
    // runs to the end of the text.
    void ReplaceGroup(std::string& R) {
        int Depth = 0;
        std::size_t End = 0;
        for (; End < R.size(); ++End) {
            if (R[End] == '(') ++Depth;
            if (R[End] == ')' && --Depth == 0) break;
        }
        std::string Inner = R.substr(1, End - 1);
        const std::string Rest = End < R.size() ? R.substr(End + 1) : "";
        const TNestingLevel Level;
        R = GroupText(EvaluateLevel(Inner, 0)) + Rest;
    }

    // One operand: everything up to the first operator outside parentheses, unless that
    // operator binds more tightly than L, in which case a deeper level reads it.
    double EvaluateOperand(std::string& R, int L) {
        const auto [End, Op] = FirstOperator(R);
        if (Op && L < Op->Priority) return EvaluateLevel(R, L + 2);
        const std::string T = R.substr(0, End);
        R.erase(0, End);
        // No sign can reach here (signs are operators), so a number is digits, one point and
        // an unsigned exponent; "E5" is a name.
        if (T.front() != 'E')
            if (const std::optional<double> Number = NumberValue(T, R.empty())) return *Number;
        return EvaluateFunction(T);
    }

    // T is NAME or NAME(argument): a table function or, failing that, the hook.
    double EvaluateFunction(const std::string& T) {
        const std::size_t Open = T.find('(');
        const bool HasArgument = Open != std::string::npos && T.back() == ')';
        const std::string N = HasArgument ? T.substr(0, Open) : T;
        std::string Argument = HasArgument ? T.substr(Open) : "";
        const TFunction* F = FindFunction(N);
        if (!F && !FOnFunction) throw EExpressionFunctionNotFound(UnknownFunctionText + T);
        const double X = Argument.empty() ? 0.0 : EvaluateLevel(Argument, 0);
        return Finite(F ? F->Value(X) : FOnFunction(N, X));
    }

    const TExpressionFunctionEvent& FOnFunction;
};

} // namespace

double Evaluate(std::string_view Expression, const TExpressionFunctionEvent& OnFunction) {
    std::string R;
    for (const char c : Expression)
        if (c != ' ') R += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (R.empty()) throw EExpressionError(NoExpressionText);
    const TNestingLevel Level;
    return TExpressionReader(OnFunction).EvaluateLevel(R, 0);
}
