// The printer's own state and its queue, as the spooler reports them to a user of the printer.
#include <windows.h>
#include <winspool.h>

#include <vector>

#include "common/ResourceText.h"
#include "deploy/DeployTextIds.h"
#include "deploy/PrinterHealth.h"
#include "deploy/TillMends.h"
#include "engine/SpoolerApi.h"

namespace {
// A printer's states that stop its jobs, besides a pause.
constexpr DWORD kPrinterFaults = PRINTER_STATUS_ERROR | PRINTER_STATUS_PAPER_JAM | PRINTER_STATUS_PAPER_OUT |
                                 PRINTER_STATUS_OFFLINE | PRINTER_STATUS_USER_INTERVENTION |
                                 PRINTER_STATUS_NOT_AVAILABLE | PRINTER_STATUS_DOOR_OPEN |
                                 PRINTER_STATUS_NO_TONER | PRINTER_STATUS_OUT_OF_MEMORY;
// A job's states that keep it, and the jobs behind it, from printing.
constexpr DWORD kJobFaults = JOB_STATUS_ERROR | JOB_STATUS_OFFLINE | JOB_STATUS_PAPEROUT |
                             JOB_STATUS_BLOCKED_DEVQ | JOB_STATUS_USER_INTERVENTION;

// The answer of one enumeration or query of the spooler into buffer; false with error when it failed.
// A call that fails without an error and wants no space has told of nothing to list (Wine's spooler
// answers every queue so).
template <typename Call>
bool ReadInto(std::vector<BYTE>& buffer, DWORD& error, Call call) {
    DWORD needed = 0;
    SetLastError(0);
    if (!call(nullptr, 0, needed)) {
        error = GetLastError();
        if (error == 0 && needed == 0) return true;
        if (error != ERROR_INSUFFICIENT_BUFFER) return false;
    }
    buffer.assign(needed, 0);
    if (needed == 0 || call(buffer.data(), needed, needed)) return true;
    error = GetLastError();
    buffer.clear();
    return false;
}

void CheckStatus(const char* name, const PRINTER_INFO_2A& info, HealthFindings& findings) {
    DWORD status = info.Status;
    if (status & PRINTER_STATUS_PAUSED) {
        findings.Found(FormatResource(IDS_CHECK_PAUSED, name));
        findings.MendWith(MendResume(name));
    }
    // "Use Printer Offline": the spooler keeps every job until a person takes the setting back.
    if (info.Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE) {
        findings.Found(FormatResource(IDS_CHECK_WORK_OFFLINE, name));
        findings.MendWith(MendOnline(name));
    }
    if (status & kPrinterFaults)
        findings.Found(FormatResource(IDS_CHECK_IN_ERROR, name, status & kPrinterFaults));
}

// Whole minutes from a job's submission (UTC) to now; 0 for a time ahead of the clock.
unsigned long MinutesSince(const SYSTEMTIME& submitted) {
    FILETIME then = {}, now = {};
    SYSTEMTIME current = {};
    GetSystemTime(&current);
    if (!SystemTimeToFileTime(&submitted, &then) || !SystemTimeToFileTime(&current, &now)) return 0;
    ULARGE_INTEGER from = {}, to = {};
    from.LowPart = then.dwLowDateTime;
    from.HighPart = then.dwHighDateTime;
    to.LowPart = now.dwLowDateTime;
    to.HighPart = now.dwHighDateTime;
    return to.QuadPart > from.QuadPart
               ? static_cast<unsigned long>((to.QuadPart - from.QuadPart) / 600000000ULL)
               : 0;
}

const char* DocumentOf(const JOB_INFO_2A& job) {
    return job.pDocument != nullptr ? job.pDocument : "";
}

// How many wait and since when; each job in error by its number and document.
void CheckJobs(const char* name, const JOB_INFO_2A* jobs, DWORD count, HealthFindings& findings) {
    if (count == 0) return;
    const JOB_INFO_2A* oldest = &jobs[0];
    for (DWORD index = 1; index < count; ++index) {
        if (MinutesSince(jobs[index].Submitted) > MinutesSince(oldest->Submitted)) oldest = &jobs[index];
    }
    findings.Found(FormatResource(IDS_CHECK_JOBS_WAITING, name, static_cast<unsigned long>(count),
                                  DocumentOf(*oldest), MinutesSince(oldest->Submitted)));
    for (DWORD index = 0; index < count; ++index) {
        if ((jobs[index].Status & kJobFaults) == 0) continue;
        findings.Found(FormatResource(IDS_CHECK_JOB_IN_ERROR, name, jobs[index].JobId,
                                      DocumentOf(jobs[index]), jobs[index].Status));
        if (findings.mendJobs)
            findings.MendWith(MendCancelJob(name, jobs[index].JobId, DocumentOf(jobs[index])));
    }
}
}  // namespace

void CheckQueue(const SystemPrinter& printer, HealthFindings& findings) {
    const char* name = printer.name.c_str();
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA use = {nullptr, nullptr, PRINTER_ACCESS_USE};
    if (!Spooler().openPrinter(const_cast<char*>(name), &handle, &use)) {
        findings.Unread(FormatResource(IDS_CHECK_STATUS_UNREAD, name), GetLastError());
        return;
    }
    std::vector<BYTE> info;
    DWORD error = 0;
    bool read = ReadInto(info, error, [handle](BYTE* buffer, DWORD size, DWORD& needed) {
        return Spooler().getPrinter(handle, 2, buffer, size, &needed) != FALSE;
    });
    if (!read || info.empty())
        findings.Unread(FormatResource(IDS_CHECK_STATUS_UNREAD, name), error);
    else
        CheckStatus(name, *reinterpret_cast<const PRINTER_INFO_2A*>(info.data()), findings);
    std::vector<BYTE> jobs;
    DWORD count = 0;
    read = ReadInto(jobs, error, [handle, &count](BYTE* buffer, DWORD size, DWORD& needed) {
        return Spooler().enumJobs(handle, 0, 0xFFFFFFFF, 2, buffer, size, &needed, &count) != FALSE;
    });
    Spooler().closePrinter(handle);
    if (!read)
        findings.Unread(FormatResource(IDS_CHECK_JOBS_UNREAD, name), error);
    else if (!jobs.empty())
        CheckJobs(name, reinterpret_cast<const JOB_INFO_2A*>(jobs.data()), count, findings);
}

bool JobPrinting(const SystemPrinter& printer) {
    HANDLE handle = nullptr;
    PRINTER_DEFAULTSA use = {nullptr, nullptr, PRINTER_ACCESS_USE};
    if (!Spooler().openPrinter(const_cast<char*>(printer.name.c_str()), &handle, &use)) return false;
    std::vector<BYTE> jobs;
    DWORD count = 0;
    DWORD error = 0;
    bool read = ReadInto(jobs, error, [handle, &count](BYTE* buffer, DWORD size, DWORD& needed) {
        return Spooler().enumJobs(handle, 0, 0xFFFFFFFF, 2, buffer, size, &needed, &count) != FALSE;
    });
    Spooler().closePrinter(handle);
    const JOB_INFO_2A* each = reinterpret_cast<const JOB_INFO_2A*>(jobs.data());
    for (DWORD index = 0; read && !jobs.empty() && index < count; ++index) {
        if (each[index].Status & JOB_STATUS_PRINTING) return true;
    }
    return false;
}
