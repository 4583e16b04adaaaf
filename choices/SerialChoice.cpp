#include "choices/SerialChoice.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "common/BoundedText.h"
#include "config/BaudRatePreset.h"
#include "config/ConfigValues.h"

namespace {
// The lists' entries in the order the port page shows them; the baud rates are BaudRatePreset's.
const char* const kDataBits[] = {"5", "6", "7", "8"};
const char* const kParities[] = {"Even", "Mark", "None", "Odd", "Space"};
const char* const kStopBits[] = {"1", "1.5", "2"};
const char* const kFlowControls[] = {"None", "Xon/Xoff", "Hardware"};

// A baud rate is offered when its text is the decimal spelling of one of the list's rates.
const char* OfferedBaudRateText(const char* text) {
    int rate = DecimalValue(text);
    char spelling[16];
    FormatText(spelling, sizeof spelling, "%d", rate);
    bool offered = OfferedBaudRate(BaudRatePresetIndex(rate)) == rate && strcmp(spelling, text) == 0;
    return offered ? text : nullptr;
}

template <size_t N>
const char* FindText(const char* const (&texts)[N], const char* text) {
    for (const char* offered : texts) {
        if (lstrcmpiA(offered, text) == 0) return offered;
    }
    return nullptr;
}
template <size_t N>
std::string JoinTexts(const char* const (&texts)[N], const char* separator) {
    std::string joined;
    for (const char* text : texts) joined += (joined.empty() ? "" : separator) + std::string(text);
    return joined;
}

std::string BaudRateTexts(const char* separator) {
    std::string joined;
    for (int index = 0; index < kBaudRateCount; ++index) {
        char spelling[16];
        FormatText(spelling, sizeof spelling, "%d", OfferedBaudRate(index));
        joined += (joined.empty() ? "" : separator) + std::string(spelling);
    }
    return joined;
}
}  // namespace

std::string SerialListTexts(SerialList list, const char* separator) {
    switch (list) {
        case SerialList::BaudRate:
            return BaudRateTexts(separator);
        case SerialList::DataBits:
            return JoinTexts(kDataBits, separator);
        case SerialList::Parity:
            return JoinTexts(kParities, separator);
        case SerialList::StopBits:
            return JoinTexts(kStopBits, separator);
        case SerialList::FlowControl:
            return JoinTexts(kFlowControls, separator);
    }
    return "";
}

const char* OfferedSerialText(SerialList list, const char* text) {
    if (text == nullptr) return nullptr;
    switch (list) {
        case SerialList::BaudRate:
            return OfferedBaudRateText(text);
        case SerialList::DataBits:
            return FindText(kDataBits, text);
        case SerialList::Parity:
            return FindText(kParities, text);
        case SerialList::StopBits:
            return FindText(kStopBits, text);
        case SerialList::FlowControl:
            return FindText(kFlowControls, text);
    }
    return nullptr;
}

void TakeSerialText(SerialList list, const char* text, SerialSettingsChoice& settings) {
    switch (list) {
        case SerialList::BaudRate:
            settings.baudRate = DecimalValue(text);
            break;
        case SerialList::DataBits:
            settings.dataBits = DecimalValue(text);
            break;
        case SerialList::Parity:
            settings.parity = text[0];
            break;
        case SerialList::StopBits:
            settings.stopBits = strtod(text, nullptr);
            break;
        case SerialList::FlowControl:
            if (strcmp(text, "Xon/Xoff") == 0) settings.flowControl = 'x';
            if (strcmp(text, "Hardware") == 0) settings.flowControl = 'p';
            if (strcmp(text, "None") == 0) settings.flowControl = ' ';
            break;
    }
}

std::string SerialTextOf(SerialList list, const SerialSettingsChoice& settings) {
    char text[16] = {};
    switch (list) {
        case SerialList::BaudRate:
            FormatText(text, sizeof text, "%d", settings.baudRate);
            return text;
        case SerialList::DataBits:
            FormatText(text, sizeof text, "%d", settings.dataBits);
            return text;
        case SerialList::Parity:
            for (const char* parity : kParities) {
                if (tolower(static_cast<unsigned char>(parity[0])) ==
                    tolower(static_cast<unsigned char>(settings.parity)))
                    return parity;
            }
            return std::string(1, settings.parity);
        case SerialList::StopBits:
            FormatText(text, sizeof text, settings.stopBits == 1.5 ? "%.1f" : "%.0f", settings.stopBits);
            return text;
        case SerialList::FlowControl:
            if (settings.flowControl == 'x') return "Xon/Xoff";
            if (settings.flowControl == 'p') return "Hardware";
            return "None";
    }
    return "";
}
