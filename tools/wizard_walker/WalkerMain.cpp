// The wizard walker: drives the built wizard on the demo medium (QELVAN_MEDIUM_DIR) as a user would.
//   wizard_walker demo [windows-version]   walk every page, pausing for a screenshot on each ("shot <name>"
//                                          on standard output, go on after a line on standard input),
//                                          install, print what was installed
//   wizard_walker benchmark                print the benchmark's figures
//   wizard_walker clean                    remove what the demo installed
#include <cstring>

#include "tests/e2e/InstallationCleanup.h"
#include "tools/wizard_walker/Benchmark.h"
#include "tools/wizard_walker/DemoWalk.h"
#include "tools/wizard_walker/WalkerOutput.h"

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (strcmp(command, "demo") == 0) return RunDemo(argc > 2 ? argv[2] : "winxp");
    if (strcmp(command, "benchmark") == 0) return RunBenchmark();
    if (strcmp(command, "clean") == 0) {
        InstallationCleanup::RemoveInstallations();
        return 0;
    }
    PrintLine("usage: wizard_walker demo [windows-version] | benchmark | clean");
    return 2;
}
