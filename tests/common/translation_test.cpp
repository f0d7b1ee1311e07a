// The English catalog against the message table: it translates every
// message and holds nothing the programs no longer print; and under an
// English locale every message comes out in English.
#include "common/translation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "common/messages.h"

namespace {

// Undoes the escapes a PO string may hold.
std::string unescaped(const std::string& quoted) {
    std::string text;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] == '\\' && i + 1 < quoted.size()) {
            const char next = quoted[++i];
            text += next == 'n' ? '\n' : next == 't' ? '\t' : next;
        } else {
            text += quoted[i];
        }
    }
    return text;
}

// msgid -> msgstr; a string may go on over several lines, each quoted.
std::map<std::string, std::string> catalogEntries() {
    std::ifstream po(IMGTOOLS_ENGLISH_CATALOG);
    std::map<std::string, std::string> entries;
    std::string line;
    std::string id;
    std::string translation;
    enum class Reading { Nothing, Id, Translation } reading = Reading::Nothing;
    const auto finish = [&] {
        if (reading == Reading::Translation && !id.empty()) {
            entries[id] = translation;
        }
    };
    while (std::getline(po, line)) {
        const auto open = line.find('"');
        const auto close = line.rfind('"');
        if (open == std::string::npos || close <= open) {
            continue;
        }
        const std::string value = unescaped(line.substr(open + 1, close - open - 1));
        if (line.rfind("msgid ", 0) == 0) {
            finish();
            reading = Reading::Id;
            id = value;
        } else if (line.rfind("msgstr ", 0) == 0) {
            reading = Reading::Translation;
            translation = value;
        } else if (line[0] == '"') {
            (reading == Reading::Id ? id : translation) += value;
        }
    }
    finish();
    return entries;
}

bool isAscii(const std::string& text) {
    for (const unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

TEST(EnglishCatalog, TranslatesEveryMessageAndNothingElse) {
    const std::map<std::string, std::string> entries = catalogEntries();
    ASSERT_FALSE(entries.empty()) << IMGTOOLS_ENGLISH_CATALOG;
    std::set<std::string> table;
    for (int id = 0; id < static_cast<int>(Message::Count); ++id) {
        const std::string text = messageText(static_cast<Message>(id));
        table.insert(text);
        const auto entry = entries.find(text);
        ASSERT_NE(entry, entries.end()) << "not in the catalog: " << text;
        EXPECT_FALSE(entry->second.empty()) << text;
        EXPECT_TRUE(isAscii(entry->second)) << "not English: " << entry->second;
    }
    for (const auto& [id, translation] : entries) {
        EXPECT_EQ(table.count(id), 1u) << "no program prints: " << id;
    }
}

// The catalog compiled into the build tree is found beside the test's own
// directory, as the programs find theirs.
TEST(EnglishCatalog, EveryMessageIsEnglishUnderAnEnglishLocale) {
    if (std::setlocale(LC_ALL, "en_US.UTF-8") == nullptr) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no en_US.UTF-8 locale (localedef -i en_US -f UTF-8 en_US.UTF-8)";
    }
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    startLocale();
    for (int id = 0; id < static_cast<int>(Message::Count); ++id) {
        const char* text = messageText(static_cast<Message>(id));
        EXPECT_TRUE(isAscii(translated(text))) << text;
    }
    ::setenv("LC_ALL", "C.UTF-8", 1);
    startLocale();
    for (int id = 0; id < static_cast<int>(Message::Count); ++id) {
        const char* text = messageText(static_cast<Message>(id));
        EXPECT_STREQ(translated(text), text) << "C.UTF-8 prints the table's own text";
    }
    ::unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
