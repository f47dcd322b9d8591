#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace pv::testing {

// Base of the tests that talk to the private scheduler which the CTest fixture starts in the
// folder that PRESSVALE_CUPSD_DIR names (printers "alpha", the scheduler's default, and "beta"). Each test points the
// client library, and every program it starts, at that scheduler with a clean home and no LPDEST/PRINTER, so the
// default is "alpha" and the machine's own printers are never touched.
class PrivateSchedulerTest : public ::testing::Test {
public:
    static std::filesystem::path schedulerDir();

protected:
    void SetUp() override;

    static std::filesystem::path jobFolder(const std::string& printer);
    static std::filesystem::path userLpoptions();

    // Points the client library at another server address for the rest of the test.
    static void pointClientAt(const std::string& server);

    friend void UsePrivateScheduler();
};

// Points the client library, and every program started later, at the private scheduler, as
// PrivateSchedulerTest does before each test.
void UsePrivateScheduler();

// What a shell command writes to stdout.
std::string commandOutput(const std::string& command);

// Writes a whole file.
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A whole file's bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace pv::testing
