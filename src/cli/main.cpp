// marrowvale-cli: the command-line front end of Marrowvale, a second view of the application's
// controller for scripts and render-farm machines.
#include "app/TextUtilities.h"
#include "cli/CliOptions.h"
#include "cli/CommandLineRun.h"
#include "services/DefaultServices.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

using namespace marrowvale;

int main(int argc, char** argv) {
    CliOptions options;
    try {
        options = CliOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "marrowvale-cli: %s\n%s", validUTF8(error.what()).c_str(),
                     cliUsage().c_str());
        return exitUsage;
    }
    if (options.showVersion) {
        std::printf("marrowvale-cli %s\n", MARROWVALE_VERSION);
        return exitSuccess;
    }
    if (options.showHelp) {
        std::printf("%s", cliUsage().c_str());
        return exitSuccess;
    }
    try {
        return runCommandLine(options, defaultAppServices(nullptr));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "marrowvale-cli: %s\n", validUTF8(error.what()).c_str());
        return exitAlert;
    }
}
