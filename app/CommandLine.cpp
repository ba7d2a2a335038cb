#include "app/CommandLine.h"

#include "BuildInfo.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "Usage: bimzo [--help | --version] [Qt options]\n"
    "A small reflex game: click the shooter at the foot of a lane to knock\n"
    "its falling target back up.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Other arguments go to Qt (for example -platform or -style).\n"
    "See bimzo(6) for where the high-score table is kept.\n";

int print(const char* text)
{
    // A closed or full stdout is a failure a packaging script should see.
    const bool ok = std::fputs(text, stdout) >= 0 && std::fflush(stdout) == 0;
    return ok ? 0 : 1;
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            return print(kUsage);
        if (std::strcmp(argv[i], "--version") == 0)
            return print("bimzo " BIMZO_VERSION "\n");
    }
    return std::nullopt;
}

const char* qtOptionValue(int argc, const char* const argv[], const char* option)
{
    const char* value = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        const char* arg = argv[i];
        if (arg[0] == '-' && arg[1] == '-')
            ++arg;
        if (std::strcmp(arg, option) == 0)
            value = argv[++i];
    }
    return value;
}
