// The evaluator's grammar, function table, hook and failures, and a random-expression run.
#include "grid/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

template <class E> std::string MessageOf(const std::string& Expression) {
    try {
        Evaluate(Expression);
    } catch (const E& Error) {
        return Error.what();
    }
    return "no error";
}

TEST(Evaluate, ReadsTheWorkedExamples) {
    const std::pair<const char*, double> Cases[] = {
        {"1+2*3", 7},  {"2*3+1", 7},    {"8-2-1", 5},     {"-3", -3},     {"2*-3*4", -24},
        {"1+2>1", 2},  {"1+1=2", 1},    {"(1+1)=2", 1},   {"NOT 0", 1},   {"1 AND NOT 0", 1},
        {"2^3^2", 64}, {"1E5", 100000}, {"2 <> 3", 1},    {"1 XOR 1", 0}, {"0 OR 2", 1},
        {"2*--3", 6},  {"(0-3)^2", -9}, {"2.5*(1+1)", 5}, {"1+", 1},      {"(1+2", 3},
        {"0^0", 1},    {"0^2", 0},      {"3 < 4", 1},     {"10/4", 2.5},
    };
    for (const auto& [Expression, Expected] : Cases)
        EXPECT_DOUBLE_EQ(Evaluate(Expression), Expected) << Expression;
}

TEST(Evaluate, AppliesTheFunctionTableToWholeNames) {
    EXPECT_DOUBLE_EQ(Evaluate("SIN(PI/2)"), 1.0);
    EXPECT_DOUBLE_EQ(Evaluate("pi"), std::numbers::pi);
    EXPECT_DOUBLE_EQ(Evaluate("sqrt(4)"), 2.0);
    EXPECT_DOUBLE_EQ(Evaluate("SIN"), 0.0);
    EXPECT_DOUBLE_EQ(Evaluate("SINH(1)"), std::sinh(1.0));
    EXPECT_DOUBLE_EQ(Evaluate("LOG10(1000)"), 3.0);
    EXPECT_DOUBLE_EQ(Evaluate("LN(EXP(2))"), 2.0);
    EXPECT_DOUBLE_EQ(Evaluate("ARCTANH(TANH(0.5))"), 0.5);
    EXPECT_DOUBLE_EQ(Evaluate("SQN(0-7)+TRUE+FALSE"), -1.0 + 1.0);
    EXPECT_DOUBLE_EQ(Evaluate("arccos(0.5)*3"), std::numbers::pi);
}

// Every entry of the function table at an argument where no two entries agree and no entry
// undoes another, against values worked out beforehand.
TEST(Evaluate, EveryFunctionOfTheTableAtAnUnevenArgument) {
    const std::pair<const char*, double> Cases[] = {
        {"SIN(0.3)", 0.29552020666133955},
        {"COS(0.3)", 0.955336489125606},
        {"TAN(0.3)", 0.30933624960962325},
        {"ARCSIN(0.3)", 0.3046926540153975},
        {"ARCCOS(0.3)", 1.2661036727794992},
        {"ARCTAN(0.3)", 0.2914567944778671},
        {"LOG10(0.3)", -0.5228787452803376},
        {"LN(0.3)", -1.2039728043259361},
        {"EXP(0.3)", 1.3498588075760032},
        {"SINH(0.3)", 0.3045202934471426},
        {"COSH(0.3)", 1.0453385141288605},
        {"TANH(0.3)", 0.2913126124515909},
        {"ARCSINH(0.3)", 0.29567304756342244},
        {"ARCCOSH(1.3)", 0.7564329108569596},
        {"ARCTANH(0.3)", 0.30951960420311175},
        {"SQRT(0.3)", 0.5477225575051661},
        {"PI(0.3)", 3.141592653589793},
        {"SQN(0.3)", 1},
        {"SQN(0-0.3)", -1},
        {"SQN(0)", 0},
        {"TRUE(0.3)", 1},
        {"FALSE(0.3)", 0},
    };
    for (const auto& [Expression, Expected] : Cases)
        EXPECT_NEAR(Evaluate(Expression), Expected, 1e-14) << Expression;
}

// Each operator against a neighbour of another priority, in readings whose result would differ
// were the two to bind alike or the other way round.
TEST(Evaluate, EachOperatorBindsAtItsPriority) {
    const std::pair<const char*, double> Cases[] = {
        {"7-2*3", 1},   {"1+6/2", 4},     {"2*3^2", 18},   {"12/2^2", 3},
        {"1+2<3", 2},   {"2*1<3", 2},     {"3*2>1", 3},    {"2>1=0", 1},
        {"2>1<>1", 1},  {"2+0 AND 1", 2}, {"2+0 OR 0", 2}, {"2+1 XOR 1", 2},
        {"NOT 0>1", 0}, {"2=2 OR 0", 1},  {"3-1-1", 1},    {"2^1<3", 2},
    };
    for (const auto& [Expression, Expected] : Cases)
        EXPECT_DOUBLE_EQ(Evaluate(Expression), Expected) << Expression;
}

TEST(Evaluate, RaisesTheSystemsMessages) {
    EXPECT_EQ(MessageOf<EExpressionError>(""), "No expression to evaluate");
    EXPECT_EQ(MessageOf<EExpressionError>("   "), "No expression to evaluate");
    EXPECT_EQ(MessageOf<EExpressionError>("1>=2"),
              "Error don't know how to handle second operator =");
    EXPECT_EQ(MessageOf<EExpressionError>("1<=2"),
              "Error don't know how to handle second operator =");
    EXPECT_EQ(MessageOf<EExpressionError>("2*AND 3"),
              "Error don't know how to handle second operator AND");
    EXPECT_EQ(MessageOf<EExpressionFunctionNotFound>("E5"), "Unknown function - E5");
    EXPECT_EQ(MessageOf<EExpressionFunctionNotFound>("1E-5"), "Unknown function - 1E");
    EXPECT_EQ(MessageOf<EExpressionFunctionNotFound>("foo(2)"), "Unknown function - FOO(2)");
    EXPECT_EQ(MessageOf<EMathError>("1/0"), "Division by zero");
    EXPECT_EQ(MessageOf<EMathError>("0/0"), "Invalid floating point operation");
    EXPECT_EQ(MessageOf<EMathError>("LN(0-1)"), "Invalid floating point operation");
    EXPECT_EQ(MessageOf<EMathError>("SQRT(0-1)"), "Invalid floating point operation");
    EXPECT_EQ(MessageOf<EMathError>("SIN(4)^0.5"), "Invalid floating point operation");
    EXPECT_EQ(MessageOf<EMathError>("EXP(1000)"), "Floating point overflow");
    EXPECT_EQ(MessageOf<EMathError>("1E300*1E300"), "Floating point overflow");
}

TEST(Evaluate, KeepsGroupsAtFullPrecision) {
    EXPECT_DOUBLE_EQ(Evaluate("(1/1E25)*1E25"), 1.0);
    EXPECT_EQ(Evaluate("(0.1+0.2)"), 0.1 + 0.2);
    EXPECT_DOUBLE_EQ(Evaluate("(1E300)/1E299"), 10.0);
}

// A literal too large for a double is an overflow, not an unknown name; one too small is 0.
TEST(Evaluate, ReadsNumbersBeyondTheRangeOfADouble) {
    EXPECT_EQ(MessageOf<EMathError>("1E400"),
              std::string(NumberErrorPrefix) + "1E400 Floating point overflow");
    EXPECT_EQ(MessageOf<EMathError>("1E400+1"), "Floating point overflow");
    EXPECT_EQ(MessageOf<EMathError>("2*0.001E99999999999999999999"),
              std::string(NumberErrorPrefix) +
                  "0.001E99999999999999999999 Floating point overflow");
    EXPECT_EQ(MessageOf<EMathError>(std::string(400, '9') + "-1"), "Floating point overflow");
    EXPECT_DOUBLE_EQ(Evaluate("1+0." + std::string(400, '0') + "1"), 1.0);
    EXPECT_DOUBLE_EQ(Evaluate("1+0." + std::string(400, '0') + "1E50"), 1.0);
}

TEST(Evaluate, ReadsLongExpressionsWhole) {
    std::string Sum = "1";
    while (Sum.size() < 2000) Sum += " + 1";
    EXPECT_DOUBLE_EQ(Evaluate(Sum), static_cast<double>(Sum.size() / 4 + 1));
    const std::string Deep = std::string(150, '(') + "2" + std::string(150, ')');
    EXPECT_DOUBLE_EQ(Evaluate(Deep), 2.0);
    const std::string TooDeep = std::string(5000, '(') + "2";
    EXPECT_EQ(MessageOf<EExpressionError>(TooDeep), NestedTooDeeplyText);
}

TEST(Evaluate, PassesOtherNamesToTheHook) {
    std::vector<std::pair<std::string, double>> Calls;
    const TExpressionFunctionEvent Hook = [&](const std::string& Name, double Argument) {
        Calls.emplace_back(Name, Argument);
        // Nested evaluations use their own hook and leave this one in force.
        return Name == "NEST" ? Evaluate("x*2", [](const std::string&, double) { return 5.0; })
                              : 3.0;
    };
    EXPECT_DOUBLE_EQ(Evaluate("b3 + width(1+1) + nest + cos(0)", Hook), 3 + 3 + 10 + 1);
    ASSERT_EQ(Calls.size(), 3u);
    EXPECT_EQ(Calls[0], std::make_pair(std::string("B3"), 0.0));
    EXPECT_EQ(Calls[1], std::make_pair(std::string("WIDTH"), 2.0));
    const TExpressionFunctionEvent NotANumber = [](const std::string&, double) { return NAN; };
    EXPECT_THROW(Evaluate("X", NotANumber), EMathError);
}

// Random texts from the grammar's tokens: each gives a finite number or one of the system's
// exceptions, and none crashes or hangs.
TEST(Evaluate, SurvivesRandomExpressions) {
    const std::vector<std::string> Tokens = {
        "1",   "0",   "2.5",     "1E3", "E",  "7.", ".5",  "1E308", "+",     "-",
        "*",   "/",   "^",       "=",   ">",  "<",  "<>",  "AND",   "OR",    "NOT",
        "XOR", "(",   ")",       "(",   ")",  " ",  "SIN", "ln",    "SQRT",  "PI",
        "TAN", "EXP", "ARCCOSH", "SQN", "A1", "X",  "\t",  "9999",  "0.0001"};
    const TExpressionFunctionEvent Hook = [](const std::string& Name, double Argument) {
        if (Name.size() > 3) throw EExpressionFunctionNotFound(UnknownFunctionText + Name);
        return Argument * 2 + 1;
    };
    std::mt19937 Random(20240611);
    std::uniform_int_distribution<std::size_t> Pick(0, Tokens.size() - 1);
    std::uniform_int_distribution<int> Length(1, 40);
    int Finished = 0;
    for (int Run = 0; Run < 4000; ++Run) {
        std::string Expression;
        for (int i = Length(Random); i > 0; --i) Expression += Tokens[Pick(Random)];
        try {
            const double Value = Evaluate(Expression, Run % 2 ? Hook : TExpressionFunctionEvent());
            EXPECT_TRUE(std::isfinite(Value)) << Expression;
            ++Finished;
        } catch (const EKeelvaneError&) {
        }
    }
    EXPECT_GT(Finished, 100);
}

} // namespace
