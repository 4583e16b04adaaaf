#include "config/BaudRatePreset.h"

#include <gtest/gtest.h>

TEST(BaudRatePreset, OfferedRatesSelectTheirEntryAndEverythingElse38400) {
    const int offered[] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    for (int index = 0; index < 10; ++index) {
        EXPECT_EQ(index, BaudRatePresetIndex(offered[index]));
        EXPECT_EQ(offered[index], OfferedBaudRate(index));
    }
    EXPECT_EQ(7, BaudRatePresetIndex(0));      // a missing key
    EXPECT_EQ(7, BaudRatePresetIndex(14400));  // a rate the list does not offer
    EXPECT_EQ(7, BaudRatePresetIndex(-9600));
    EXPECT_EQ(38400, OfferedBaudRate(7));
    EXPECT_EQ(38400, OfferedBaudRate(12));
}
