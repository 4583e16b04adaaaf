#include "config/BaudRatePreset.h"

namespace {
const int kOfferedBaudRates[kBaudRateCount] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const int kDefaultIndex = 7;  // "38400"
}  // namespace

int BaudRatePresetIndex(int baudRate) {
    for (int index = 0; index < kBaudRateCount; ++index) {
        if (kOfferedBaudRates[index] == baudRate) return index;
    }
    return kDefaultIndex;
}

int OfferedBaudRate(int index) {
    return index >= 0 && index < kBaudRateCount ? kOfferedBaudRates[index] : kOfferedBaudRates[kDefaultIndex];
}
