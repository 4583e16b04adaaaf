// QelvanDeploy apply: makes this machine's printers match a profile file, entry by entry, with the
// install command's rules and convergence: printers already there are kept (their default and serial
// settings made as the file says), missing ones installed. With /exact the medium's printers the file
// does not describe are removed too, only when every entry ended as the file says. Every entry is
// checked before anything changes. With /journal:DIR (the package's) the till as it stood is written
// down first, so that the Windows Installer can take the run back (RunJournal.h).
#include <memory>

#include "choices/InstallRules.h"
#include "choices/PortOffer.h"
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DeployTextIds.h"
#include "deploy/ExitCodes.h"
#include "deploy/InstanceLock.h"
#include "deploy/PrinterInstall.h"
#include "deploy/ProfileFile.h"
#include "deploy/Registration.h"
#include "deploy/RunJournal.h"
#include "deploy/UsbOfRun.h"
#include "removal/FolderRemoval.h"
#include "removal/ProgramEntry.h"
#include "removal/RemovalRules.h"

namespace {
struct PreparedEntry {
    const ProfileEntry* entry;
    std::unique_ptr<InstallChoices> choices;
};

// Every entry through the install command's checks and the connected USB printer's; false at the first
// refusal, before any change.
bool PrepareEntries(const std::string& path, const std::vector<ProfileEntry>& entries, UsbOfRun& usb,
                    bool renumber, std::vector<PreparedEntry>& prepared) {
    for (const ProfileEntry& entry : entries) {
        // The record holds the configuration reader's buffers: too large for the stack of every system.
        PreparedEntry each = {&entry, std::unique_ptr<InstallChoices>(new InstallChoices)};
        if (!PrepareInstall(entry.request, usb.DeviceId(), *each.choices) ||
            !usb.CheckUpFront(entry.request, *each.choices, renumber)) {
            SayResourceFormatted(IDS_APPLY_ENTRY_REFUSED, path.c_str(), entry.section.c_str());
            return false;
        }
        prepared.push_back(std::move(each));
    }
    return true;
}

bool Described(const SystemPrinter& printer, const std::vector<PreparedEntry>& prepared) {
    for (const PreparedEntry& each : prepared) {
        if (IsPrinterOf(printer, *each.choices)) return true;
    }
    return false;
}

// With /exact: the medium's printers no entry describes go, with their drivers and the components no
// remaining printer needs.
bool RemoveUndescribed(const std::vector<PreparedEntry>& prepared) {
    std::vector<SystemPrinter> printers;
    if (!ListSystemPrinters(printers)) return false;
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    RemovalScope everything = {true, true};
    auto sayItem = [](const RemovalItem& item) { Say(DescribeRemoval(item).c_str()); };
    std::vector<SystemPrinter> undescribed;
    for (const SystemPrinter& printer : MediumPrinters(printers, names)) {
        if (!Described(printer, prepared)) undescribed.push_back(printer);
    }
    bool done = RemovePrintersThenOrphans(undescribed, everything, names, system, sayItem);
    // A profile that wants no printers leaves nothing of the medium: the entry and its folder go too.
    OutsideProgramFolder outside;
    return RemoveEntryWhenNothingLeft(names, system, sayItem) && done;
}

// The entry's closing lines: what became of it, with the model when the run went through, otherwise
// pointing to the lines above that say why.
struct OutcomeTexts {
    UINT withModel;  // %s section, %s model
    UINT seeAbove;   // %s section
};

OutcomeTexts OutcomeTextsOf(PrinterOutcome outcome) {
    switch (outcome) {
        case PrinterOutcome::Installed:
            return {IDS_APPLY_INSTALLED, IDS_APPLY_INSTALLED_SEE_ABOVE};
        case PrinterOutcome::Kept:
            return {IDS_APPLY_KEPT, IDS_APPLY_KEPT_SEE_ABOVE};
        case PrinterOutcome::Updated:
            return {IDS_APPLY_UPDATED, IDS_APPLY_UPDATED_SEE_ABOVE};
        case PrinterOutcome::Refused:
        case PrinterOutcome::Failed:
            break;
    }
    return {IDS_APPLY_FAILED, IDS_APPLY_FAILED_SEE_ABOVE};
}
}  // namespace

int RunApplyCommand(const Switches& switches) {
    std::string path = PathFromStart(switches.Value("file"));
    std::vector<ProfileEntry> entries;
    if (!ReadProfile(path.c_str(), entries)) return kExitRefused;
    InstanceLock lock;
    if (!lock.Take()) return kExitAlreadyRunning;
    // The USB printer is asked once before the entries and again after each renumbering.
    UsbOfRun usb;
    std::vector<PreparedEntry> prepared;
    if (!PrepareEntries(path, entries, usb, switches.Has("renumber"), prepared)) return kExitRefused;
    // The journal is written before the first change: a run that cannot write it changes nothing.
    const char* journal = switches.Value("journal");
    if (journal != nullptr && !WriteRunJournal(journal)) return kExitFailed;

    bool failed = false;
    bool restartNeeded = false;
    std::vector<std::string> installed;
    for (PreparedEntry& each : prepared) {
        InstallChoices& choices = *each.choices;
        const char* section = each.entry->section.c_str();
        SayResourceFormatted(IDS_APPLY_ENTRY, section, choices.modelName, choices.portName);
        InstallRequest request = each.entry->request;
        request.renumber = switches.Has("renumber");
        PrinterResult result = {PrinterOutcome::Failed, kExitFailed, false};
        if (usb.BeforeEntry(request, choices, each.entry->section)) {
            result = InstallOrKeep(request, usb.DeviceId(), false, choices);
            usb.AfterEntry(result.exitCode == kExitDone);
        }
        OutcomeTexts outcome = OutcomeTextsOf(result.outcome);
        if (result.exitCode == kExitDone)
            SayResourceFormatted(outcome.withModel, section, choices.printerName);
        else
            SayResourceFormatted(outcome.seeAbove, section);
        if (result.outcome == PrinterOutcome::Installed) installed.push_back(choices.printerName);
        failed = failed || result.exitCode != kExitDone;
        restartNeeded = restartNeeded || result.restartNeeded;
    }
    // Kept printers get no page: a profile applied at every log-on prints only when it installed. The
    // pages come before /exact's removal, so that a page that fails leaves every printer the till had.
    bool printed = PrintTestPagesAsked(switches, installed);
    if (switches.Has("exact")) {
        // A till that did not become what the file says keeps every printer it has: removing them on top
        // of a failed entry would leave it with less than before and less than asked for.
        if (failed || !printed)
            SayResourceText(IDS_APPLY_EXACT_NOTHING_REMOVED);
        else if (!RemoveUndescribed(prepared))
            failed = true;
    }
    // Under a journal the package's commit hands the printers to its entry once the whole installation
    // has succeeded.
    if (journal == nullptr) RegisterWhatIsInstalled(!failed && printed);
    if (failed) return kExitFailed;
    int finished = FinishRun(switches, restartNeeded);
    return printed ? finished : kExitFailed;
}
