#include "common/to_lower_ascii.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ToLowerAscii, LowersOnlyAsciiCapitals) {
    std::string text = "2DBAS@[`{Zaz09";
    toLowerAscii(text.data());
    EXPECT_EQ(text, "2dbas@[`{zaz09");
}

TEST(ToLowerAscii, LeavesHighBytesAlone) {
    // Shift_JIS "片" is 0x95 0xD0 and "ア" is 0x83 0x41: the trail byte 0x41
    // is lowered all the same, since the conversion ignores double-byte text.
    std::string text = "\x95\xD0\x83\x41\xC0\xDA";
    toLowerAscii(text.data());
    EXPECT_EQ(text, "\x95\xD0\x83\x61\xC0\xDA");
}

TEST(ToLowerAscii, EmptyAndNull) {
    std::string empty;
    toLowerAscii(empty.data());
    EXPECT_EQ(empty, "");
    toLowerAscii(nullptr);
}

}  // namespace
