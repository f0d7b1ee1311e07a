#include "common/console_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "common/messages.h"

namespace {

TEST(ConsoleText, ConvertsToShiftJisBytes) {
    // "片面モード" in code page 932.
    EXPECT_EQ(utf8ToShiftJis("     -s : 片面モード\n"), "     -s : \x95\xD0\x96\xCA\x83\x82\x81\x5B\x83\x68\n");
    EXPECT_EQ(utf8ToShiftJis("diskno: 0 から"), "diskno: 0 \x82\xA9\x82\xE7");
}

TEST(ConsoleText, ConvertsToEucJpBytes) {
    EXPECT_EQ(utf8ToEucJp("     -s : 片面モード\n"), "     -s : \xCA\xD2\xCC\xCC\xA5\xE2\xA1\xBC\xA5\xC9\n");
}

TEST(ConsoleText, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToShiftJis("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
}

TEST(ConsoleText, EveryMessageHasAShiftJisForm) {
    for (int id = 0; id < static_cast<int>(Message::Count); ++id) {
        const std::string converted = utf8ToShiftJis(messageText(static_cast<Message>(id)));
        EXPECT_EQ(converted.find('?'), std::string::npos) << messageText(static_cast<Message>(id));
        const std::string euc = utf8ToEucJp(messageText(static_cast<Message>(id)));
        EXPECT_EQ(euc.find('?'), std::string::npos) << messageText(static_cast<Message>(id));
    }
}

// Text typed at a UTF-8 console becomes Shift_JIS, or is refused whole when
// a character has no Shift_JIS form or the bytes are no UTF-8.
TEST(ConsoleText, TypedTextBecomesShiftJisOrIsRefused) {
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    struct Case {
        const char* typed;
        bool accepted;
        const char* shiftJis;
    };
    const Case cases[] = {
        {"GAME 1", true, "GAME 1"},
        {"\\~", true, "\\~"},  // backslash and tilde stay ASCII in code page 932
        {"\xEF\xBE\x83\xEF\xBD\xBD\xEF\xBE\x84", true, "\xC3\xBD\xC4"},  // half-width katakana te su to
        {"日本", true, "\x93\xFA\x96\x7B"},
        {"", true, ""},
        {"a\xF0\x9F\x98\x80", false, ""},  // an emoji
        {"\xED\x95\x9C", false, ""},       // a Hangul syllable
        {"a\xFFz", false, ""},              // not UTF-8
        {"\xE6\x97", false, ""},           // a cut UTF-8 sequence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string converted;
        EXPECT_EQ(consoleTextToShiftJis(c.typed, converted), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(converted, c.shiftJis);
        }
    }
    std::setlocale(LC_ALL, "C");
}

TEST(ConsoleText, TypedTextAtAShiftJisConsoleIsCheckedAndKept) {
    if (std::setlocale(LC_ALL, "ja_JP.SJIS") == nullptr) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no ja_JP.SJIS locale on this machine (localedef -c -f SHIFT_JIS -i ja_JP ja_JP.SJIS)";
    }
    std::string converted;
    EXPECT_TRUE(consoleTextToShiftJis("\x93\xFA\x96\x7B \xC3\xBD\xC4", converted));
    EXPECT_EQ(converted, "\x93\xFA\x96\x7B \xC3\xBD\xC4");
    EXPECT_FALSE(consoleTextToShiftJis("A\x93", converted)) << "a lead byte with no second byte";
    std::setlocale(LC_ALL, "C");
}

TEST(ConsoleText, TypedTextAtAnEucJpConsoleBecomesShiftJis) {
    if (std::setlocale(LC_ALL, "ja_JP.eucJP") == nullptr) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no ja_JP.eucJP locale on this machine (localedef -i ja_JP -f EUC-JP ja_JP.eucJP)";
    }
    std::string converted;
    EXPECT_TRUE(consoleTextToShiftJis("\xC6\xFC\xCB\xDC", converted));  // "日本" in EUC-JP
    EXPECT_EQ(converted, "\x93\xFA\x96\x7B");
    std::setlocale(LC_ALL, "C");
}

TEST(ConsoleText, RecognisesShiftJisLocalesOnly) {
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    EXPECT_FALSE(consoleUsesShiftJis());
    if (std::setlocale(LC_ALL, "ja_JP.SJIS") == nullptr) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no ja_JP.SJIS locale on this machine (localedef -c -f SHIFT_JIS -i ja_JP ja_JP.SJIS)";
    }
    EXPECT_TRUE(consoleUsesShiftJis());
    if (std::setlocale(LC_ALL, "ja_JP.eucJP") != nullptr) {
        EXPECT_EQ(consoleCharset(), ConsoleCharset::EucJp);
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
