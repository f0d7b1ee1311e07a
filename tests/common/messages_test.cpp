#include "common/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using message_table::argumentsFit;
using message_table::fitsLeadingArguments;

// The compile-time check refuses what printf would take silently.
static_assert(argumentsFit<int>("%2d"));
static_assert(argumentsFit<const char*, std::string, long>("%s [%-8s] %d"));
static_assert(argumentsFit<>("100%% done\n"));
static_assert(!argumentsFit<const char*>("%d"));
static_assert(!argumentsFit<int>("%s"));
static_assert(!argumentsFit<bool>("%d"));
static_assert(!argumentsFit<int, int>("%d"));
static_assert(!argumentsFit<>("%d"));
static_assert(argumentsFit<unsigned>("0x%02X"));
static_assert(!argumentsFit<unsigned>("%02x"));
static_assert(!argumentsFit<long long>("%lld"));
static_assert(fitsLeadingArguments<int, const char*>("%d only"));
static_assert(!fitsLeadingArguments<int>("%d %d"));
static_assert(!fitsLeadingArguments<const char*>("%d"));

std::string formatted(const char* text, const message_table::Argument* arguments, std::size_t count) {
    return message_table::format(text, arguments, count);
}

TEST(Messages, FormatsUpperCaseHexadecimalAsPrintfDoes) {
    const message_table::Argument arguments[] = {message_table::argument(0x1A), message_table::argument(0xB0)};
    char expected[64];
    std::snprintf(expected, sizeof expected, "0x%02X 0x%02X", 0x1A, 0xB0);
    EXPECT_EQ(formatted("0x%02X 0x%02X", arguments, 2), expected);
}

TEST(Messages, FormatsWidthsAlignmentAndZeroPaddingAsPrintfDoes) {
    const message_table::Argument arguments[] = {
        message_table::argument(7), message_table::argument(-3), message_table::argument("ab"),
        message_table::argument(-42), message_table::argument(123456)};
    char expected[128];
    std::snprintf(expected, sizeof expected, "[%2d][%2d][%-4s][%05d][%3d]%%", 7, -3, "ab", -42, 123456);
    EXPECT_EQ(formatted("[%2d][%2d][%-4s][%05d][%3d]%%", arguments, 5), expected);
}

TEST(Messages, AConversionWithoutAnArgumentPrintsNothing) {
    const message_table::Argument arguments[] = {message_table::argument(5)};
    EXPECT_EQ(formatted("%d and %d.", arguments, 1), "5 and .");
}

TEST(Messages, ResultLinesComeOutAsTheUserReadsThem) {
    EXPECT_EQ(formatMessage<Message::PasteResult>(0, 1, 16, 256),
              "diskno: 0 track: 1 sector:16 から 256byte 書き込みました.\n");
    EXPECT_EQ(formatMessage<Message::FormatResult>("NEW.D88", "2D", 80, 16, 1),
              "NEW.D88 : [2D] 80 tracks 16 sectors (N=1)\n");
}

}  // namespace
