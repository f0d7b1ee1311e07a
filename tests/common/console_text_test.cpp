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
