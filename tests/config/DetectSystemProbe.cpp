// Runs the system detection the way the system page does at start-up and prints what it found:
// "system recognition messages", then one line per message shown. The tests start it under each
// Windows version Wine can report.
#include <cstdio>

#include "config/PortRegistry.h"
#include "tests/support/MessageBoxWatcher.h"

int main() {
    MessageBoxWatcher watcher;
    DetectedSystem detected = DetectSystem();
    Sleep(100);  // lets the watcher record a box that has just been answered
    std::vector<std::string> texts = watcher.Texts();
    printf("%d %d %u\n", static_cast<int>(detected.system), static_cast<int>(detected.recognition),
           static_cast<unsigned>(texts.size()));
    for (const std::string& text : texts) printf("%s\n", text.c_str());
    fflush(stdout);
    return 0;
}
