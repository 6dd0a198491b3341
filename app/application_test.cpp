// The default error display: errors are shown once and handled, nested ones are only logged.
#include "app/application.h"

#include "geometry/errors.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(ApplicationErrors, AreShownOnceAndNestedOnesOnlyLogged) {
    QStringList Shown, Logged;
    const auto Log = [&](const QString& M) { Logged << M; };
    const auto Fail = [](const char* Text) {
        return [Text]() -> bool { throw EGeometryError(Text); };
    };
    // An error raised while the first one's message box is open (a repaint behind it) is logged.
    const auto Show = [&](const QString& M) {
        Shown << M;
        EXPECT_TRUE(DeliverShowingErrors(
            Fail("behind the box"), [&](const QString& N) { Shown << N; }, Log));
    };

    EXPECT_TRUE(DeliverShowingErrors(Fail("Division by zero"), Show, Log));
    EXPECT_EQ(Shown, QStringList{"Division by zero"});
    EXPECT_EQ(Logged, QStringList{"behind the box"});

    // Once the box is closed the next error is shown again; normal delivery passes its answer on.
    EXPECT_TRUE(DeliverShowingErrors(
        Fail("again"), [&](const QString& M) { Shown << M; }, Log));
    EXPECT_EQ(Shown.last(), "again");
    EXPECT_FALSE(DeliverShowingErrors([] { return false; }, Show, Log));
}
