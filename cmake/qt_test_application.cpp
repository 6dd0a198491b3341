// One QApplication for all widget tests of a test executable, made before the first test runs.
// The tests' settings and configuration files go to a temporary folder, never the user's own.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

class TQtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", ConfigDir.path().toLocal8Bit());
        Application = std::make_unique<QApplication>(Argc, Argv.data());
    }
    void TearDown() override { Application.reset(); }

private:
    QTemporaryDir ConfigDir;
    int Argc = 1;
    char Name[16] = "keelvane_tests";
    std::array<char*, 2> Argv{Name, nullptr};
    std::unique_ptr<QApplication> Application;
};

// GoogleTest takes ownership of the environment.
const ::testing::Environment* const Environment =
    ::testing::AddGlobalTestEnvironment(std::make_unique<TQtTestEnvironment>().release());

} // namespace
