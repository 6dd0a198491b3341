// Tests of the text logger.
#include "geometry/console.h"

#include "geometry/errors.h"
#include "geometry/scratchfolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

TEST(Console, WritesToHandlerAndFile) {
    TConsole C;
    C.WriteLine("ignored"); // inactive and without a handler: nothing happens
    std::vector<std::string> Seen;
    C.OnWrite = [&](const std::string& S) { Seen.push_back(S); };
    C.FileName = ::testing::TempDir() + "keelvane_console_test.log";
    C.SetActive(true);
    C.WriteLine("one");
    C.SetActive(false);
    C.WriteLine("two");
    EXPECT_EQ(Seen, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(FileText(C.FileName), "one\n");
    std::remove(C.FileName.c_str());

    C.FileName = "/nonexistent-dir/x.log";
    EXPECT_THROW(C.SetActive(true), EIOError);
    EXPECT_FALSE(C.Active());
}
