#include "deploy/TillMends.h"

#include <winspool.h>

#include <vector>

#include "common/FileNames.h"
#include "common/SystemFolders.h"
#include "common/ResourceText.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "engine/SpoolerFolders.h"
#include "engine/SpoolerService.h"
#include "removal/FileReplace.h"
#include "removal/FolderPaths.h"
#include "removal/ProgramEntry.h"
#include "removal/RestartDeletion.h"

namespace {
// Runs change on the printer opened for administration; false with the error said in failed's line.
template <typename Change>
bool OnPrinter(const std::string& printer, const std::string& failed, Change change) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA all = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    std::string name = printer;
    bool done = OpenPrinterA(&name[0], &handle, &all) && change(handle);
    DWORD error = done ? 0 : GetLastError();
    if (handle != nullptr) ClosePrinter(handle);
    if (!done) SayWithError(failed.c_str(), error);
    return done;
}

// The line of a printer's mend that failed, before the platform's error.
std::string Failed(const std::string& printer) {
    return FormatResource(IDS_REPAIR_PRINTER_FAILED, printer.c_str());
}
}  // namespace

Mend MendStartSpooler() {
    return [] {
        MessageText message = {};
        StartSpooler(message);
        bool running = WaitSpoolerRunning(message);
        if (running)
            SayResourceText(IDS_REPAIR_SPOOLER_STARTED);
        else
            SayFormatted("%s", FormatResource(IDS_REPAIR_FAILED, message).c_str());
        return running;
    };
}

Mend MendResume(const std::string& printer) {
    return [printer] {
        bool done = OnPrinter(printer, Failed(printer), [](HANDLE handle) {
            return SetPrinterA(handle, 0, nullptr, PRINTER_CONTROL_RESUME) != FALSE;
        });
        if (done) SayResourceFormatted(IDS_REPAIR_RESUMED, printer.c_str());
        return done;
    };
}

Mend MendOnline(const std::string& printer) {
    return [printer] {
        bool done = OnPrinter(printer, Failed(printer), [](HANDLE handle) {
            DWORD needed = 0;
            GetPrinterA(handle, 2, nullptr, 0, &needed);
            std::vector<BYTE> buffer(needed != 0 ? needed : 1);
            if (!GetPrinterA(handle, 2, buffer.data(), needed, &needed)) return false;
            auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
            info->Attributes &= ~PRINTER_ATTRIBUTE_WORK_OFFLINE;
            // The security descriptor stays as it is: none is handed back.
            info->pSecurityDescriptor = nullptr;
            return SetPrinterA(handle, 2, buffer.data(), 0) != FALSE;
        });
        if (done) SayResourceFormatted(IDS_REPAIR_ONLINE, printer.c_str());
        return done;
    };
}

Mend MendCancelJob(const std::string& printer, DWORD jobId, const std::string& document) {
    return [printer, jobId, document] {
        bool done = OnPrinter(printer, Failed(printer), [jobId](HANDLE handle) {
            return SetJobA(handle, jobId, 0, nullptr, JOB_CONTROL_DELETE) != FALSE;
        });
        if (done) SayResourceFormatted(IDS_REPAIR_JOB_CANCELLED, printer.c_str(), jobId, document.c_str());
        return done;
    };
}

namespace {
// The folders a mend may write a file in.
bool IsComponentFolder(const std::string& folder, TargetSystem system) {
    for (const std::string& each :
         {SystemFolder(), DriverFolderOf(system), DriverVersionFolderOf(system), ProcessorFolderOf(system)}) {
        if (!each.empty() && SameText(each, folder)) return true;
    }
    return false;
}

// True when the medium copy lies in the program folder's copy of the medium.
bool FromProgramFolder(const std::string& mediumCopy) {
    char folder[MAX_PATH] = {};
    if (!RecordedProgramFolder(folder) && !ProgramEntryFolder(folder)) return false;
    std::string prefix = std::string(folder) + "\\";
    return mediumCopy.size() > prefix.size() && SameText(mediumCopy.substr(0, prefix.size()), prefix);
}
}  // namespace

Mend MendFileFromMedium(const std::string& target, const std::string& mediumCopy, TargetSystem system) {
    return [target, mediumCopy, system] {
        std::string folder = FolderOf(target);
        if (!IsComponentFolder(folder, system) || !IsPlainRelativeName(FileNameOf(target)) ||
            IsLink(folder)) {
            SayResourceFormatted(IDS_REPAIR_NOT_A_COMPONENT_FILE, target.c_str());
            return false;
        }
        if (FromProgramFolder(mediumCopy) || !IsPlainFile(mediumCopy)) {
            SayResourceFormatted(IDS_REPAIR_NO_MEDIUM_COPY, mediumCopy.c_str(), target.c_str());
            return false;
        }
        // Written beside and then given the name: never through whatever stands at target.
        std::string written = FileBeside(target.c_str());
        DWORD error = 0;
        bool done = !written.empty() && CopyFileA(mediumCopy.c_str(), written.c_str(), FALSE) &&
                    ReplaceWithWritten(written.c_str(), target.c_str(), OnNtFamily(), error);
        if (!done) error = error != 0 ? error : GetLastError();
        if (!done && !written.empty()) DeleteFileA(written.c_str());
        if (done)
            SayResourceFormatted(IDS_REPAIR_FILE_PUT_BACK, target.c_str(), mediumCopy.c_str());
        else
            SayWithError(FormatResource(IDS_REPAIR_FILE_FAILED, target.c_str()).c_str(), error);
        return done;
    };
}

Mend MendMonitorFile(const std::string& target, const std::string& mediumCopy, TargetSystem system) {
    Mend putBack = MendFileFromMedium(target, mediumCopy, system);
    return [putBack, system] {
        if (!putBack()) return false;
        if (system == Windows98Me) return true;
        StopSpooler();
        WaitSpoolerStopped();
        return MendStartSpooler()();
    };
}
