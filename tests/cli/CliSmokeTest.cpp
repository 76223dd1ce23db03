#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string runCli(const std::string& arguments, int* status) {
    std::string command = std::string("\"") + MARROWVALE_CLI + "\" " + arguments + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    int raw = pipe ? pclose(pipe) : -1;
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

} // namespace

TEST(CliSmoke, VersionAndUsage) {
    int status = 0;
    EXPECT_NE(runCli("--version", &status).find("marrowvale-cli"), std::string::npos);
    EXPECT_EQ(status, 0);
    runCli("", &status);
    EXPECT_EQ(status, 1);
}
