// MediumCheck: checks an installation medium before it ships. Run in the medium's directory, or with
// that directory as the one argument. Prints one line per finding and a closing count; the exit code
// is 0 without errors, 1 with errors and 2 when the directory cannot be checked.
#include <windows.h>

#include "checker/CheckerTextIds.h"
#include "checker/Findings.h"
#include "checker/MediumCheck.h"
#include "common/ConsoleText.h"
#include "common/ResourceText.h"
#include "config/ConfigValues.h"
#include "config/MediumPaths.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        WriteLine(GetStdHandle(STD_ERROR_HANDLE), ResourceText(IDS_CHECKER_USAGE).c_str());
        return 2;
    }
    // The wizard's readers resolve every configuration file against the current directory.
    if (argc == 2 && !SetCurrentDirectoryA(argv[1])) {
        char text[400];
        FormatResourceText(text, IDS_CHECKER_NO_DIRECTORY, argv[1]);
        WriteLine(GetStdHandle(STD_ERROR_HANDLE), text);
        return 2;
    }
    // The medium is the directory checked, wherever the checker itself lies; its paths must fit as
    // the wizard's start-up requires.
    char medium[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof medium, medium);
    if (length > 0 && length < sizeof medium) UseMediumDirectory(medium);
    MediumRefusal refusal;
    if (!MediumPathsFit(refusal)) {
        WriteLine(GetStdHandle(STD_ERROR_HANDLE), refusal);
        return 2;
    }
    Findings findings(GetStdHandle(STD_OUTPUT_HANDLE));
    int errors = CheckMedium(findings);
    findings.PrintSummary();
    return errors > 0 ? 1 : 0;
}
