#pragma once
// Which medium added each driver: the version resource of the program that added it (the wizard or the
// deployment program of that medium), kept under HKLM\SOFTWARE\Qelvan\Drivers, one text value per driver
// name ("2.0.0.0"). Where a driver's files carry no version of their own, it tells an older medium from
// a newer one whatever the files' times.

#include <string>

#include "common/FileVersion.h"

// The version resource of the running program: the medium's version. Not present for a program without
// one.
FileVersion RunningMediumVersion();

// Records the running program's version for the driver just added; nothing when it has none.
void RecordDriverMedium(const char* driverName);

// The driver's line of the record goes with the driver (its removal); the record's key, and the
// product's key, go with their last value.
void ForgetDriverMedium(const std::string& driverName);

// The version recorded for the driver; not present when none was recorded (a driver added before the
// record was kept, or by another program).
FileVersion RecordedDriverMedium(const std::string& driverName);
