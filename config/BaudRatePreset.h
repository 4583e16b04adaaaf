#pragma once
// The baud rates of the port page's list (control 1041), in list order, and the entry a configured
// BaudRate selects: 38400 for itself, for a missing key (0) and for any value the list does not offer.

// How many rates the list shows.
constexpr int kBaudRateCount = 10;

// The list index for a configured baud rate.
int BaudRatePresetIndex(int baudRate);

// The baud rate the list shows at index (0..kBaudRateCount - 1).
int OfferedBaudRate(int index);
