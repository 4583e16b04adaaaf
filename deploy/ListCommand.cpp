// QelvanDeploy list: the printers of this machine whose driver the medium names, the medium's registered
// drivers' files and the installed port monitors' and print processors' versions against the medium's.
#include "deploy/Commands.h"
#include "deploy/DeployMedium.h"
#include "deploy/DeployOutput.h"
#include "deploy/DriverComparison.h"
#include "deploy/ExitCodes.h"
#include "engine/ComponentKeys.h"
#include "removal/MediumNames.h"
#include "removal/SystemPrinters.h"

namespace {
void SayComponent(const char* kind, const char* keyPath, const char* name, int mediumVersion) {
    unsigned long recorded = 0;
    if (!InstalledVersion(keyPath, recorded)) {
        SayFormatted("%s %s：未安装（介质版本 %d）", kind, name, mediumVersion);
        return;
    }
    // The installation records the medium's version as a DWORD: a medium's -1 comes back as 0xFFFFFFFF
    // and is read, shown and compared as the -1 it was.
    int installed = static_cast<int>(static_cast<DWORD>(recorded));
    const char* state = "最新";
    if (installed < mediumVersion) state = "过旧";
    if (installed > mediumVersion) state = "较新";
    SayFormatted("%s %s：已安装版本 %d，介质版本 %d（%s）", kind, name, installed, mediumVersion, state);
}

void SayMonitor(const MediumMonitor& monitor) {
    char keyPath[kComponentKeyPathSize];
    MonitorKeyPath(monitor.name.c_str(), keyPath);
    SayComponent("端口监视器", keyPath, monitor.name.c_str(), monitor.version);
}
}  // namespace

int RunListCommand(const Switches&) {
    TargetSystem system = RunningSystem();
    MediumNames names = ReadMediumNames(system);
    std::vector<SystemPrinter> printers;
    if (!ListSystemPrinters(printers)) return kExitFailed;
    Say("打印机\t端口\t驱动程序\t打印处理器\t默认");
    for (const SystemPrinter& printer : printers) {
        if (!Contains(names.drivers, printer.driver)) continue;
        SayFormatted("%s\t%s\t%s\t%s\t%s", printer.name.c_str(), printer.port.c_str(), printer.driver.c_str(),
                     printer.processor.c_str(), printer.isDefault ? "*" : "");
    }
    // The medium's registered drivers, each against the medium's files; drivers not registered are many
    // and say nothing.
    for (const std::string& driver : names.drivers) {
        DriverComparison comparison =
            CompareDriverWithMedium(driver, FilesOf(names.driverFiles, driver), system);
        if (comparison.state != DriverAgainstMedium::NotRegistered)
            SayFormatted("驱动程序 %s：%s", driver.c_str(), DescribeComparison(comparison).c_str());
    }
    for (const MediumMonitor& monitor : names.monitors) SayMonitor(monitor);
    for (const std::string& processor : names.processors) {
        char keyPath[kComponentKeyPathSize];
        ProcessorKeyPath(system, processor.c_str(), keyPath);
        SayComponent("打印处理器", keyPath, processor.c_str(), names.processorVersion);
    }
    return kExitDone;
}
