#pragma once
// The serial settings the port page's five lists offer, and what each list's text stands for: the one
// rule by which the page and every program that installs without it turn a chosen text into the
// settings written for the port.

#include <string>

enum class SerialList { BaudRate, DataBits, Parity, StopBits, FlowControl };

struct SerialSettingsChoice {
    int baudRate = 38400;
    int dataBits = 8;        // the page's initial "8"
    double stopBits = 1.0;   // "1"
    char parity = 'n';       // "None"; otherwise the first letter of the chosen text
    char flowControl = 'p';  // "Hardware"; 'x' Xon/Xoff, ' ' None
};

// The list's own spelling of text (compared without regard to case), or null when the list does not
// offer it.
const char* OfferedSerialText(SerialList list, const char* text);

// Every text the list shows, in list order, joined by separator.
std::string SerialListTexts(SerialList list, const char* separator);

// The list's text for what settings hold (the reverse of TakeSerialText); a value no list text stands
// for is spelled as the settings hold it.
std::string SerialTextOf(SerialList list, const SerialSettingsChoice& settings);

// Takes what a text of the list stands for into settings, as the page does when the user picks it.
void TakeSerialText(SerialList list, const char* text, SerialSettingsChoice& settings);
