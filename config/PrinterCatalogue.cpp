// The printer catalogue: section DEVICENAME of the common file, one entry per model, each a model name
// followed by the suffix of its category.
#include <cstring>

#include "common/BoundedText.h"
#include "config/ConfigValues.h"
#include "config/SetupConfig.h"

namespace {
// Tested in this order; the first found decides.
const struct {
    const char* suffix;
    PrinterCategory category;
} kCategorySuffixes[] = {
    {"-ReceiptPrinter", Receipt},
    {"-TicketPrinter", Ticket},
    {"-LabelPrinter", Label},
    {"-EmbeddedPrinter", Embedded},
};

const size_t kEntryCapacity = 200;
const size_t kDefaultEntryCapacity = 260;
}  // namespace

int CatalogueEntriesToRead(int deviceCount) {
    if (deviceCount < 1) return 0;
    return deviceCount < kCatalogueEntryLimit ? deviceCount : kCatalogueEntryLimit;
}

int SetupConfig::GetDeviceCount() {
    char count[32];
    ReadCommonKey("DEVICENAME", "DEVICENUMBER", count, sizeof count);
    return DecimalValue(count);
}

int SetupConfig::GetDeviceName(int entry, char* name, size_t capacity) {
    if (capacity == 0) return -1;
    char key[32];
    FormatText(key, sizeof key, "DEVICENAME%d", entry);
    ReadCommonKey("DEVICENAME", key, name, capacity < kEntryCapacity ? capacity : kEntryCapacity);
    for (const auto& known : kCategorySuffixes) {
        char* found = strstr(name, known.suffix);
        if (found != nullptr) {
            *found = '\0';
            return known.category;
        }
    }
    return -1;
}

int SetupConfig::GetDefaultDevice(char* name, size_t capacity) {
    if (capacity == 0) return -1;
    ReadCommonKey("DEVICENAME", "DEFAULTNAME", name,
                  capacity < kDefaultEntryCapacity ? capacity : kDefaultEntryCapacity);
    return GetDeviceName(DecimalValue(name), name, capacity);
}
