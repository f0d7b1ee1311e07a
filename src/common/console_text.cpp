#include "common/console_text.h"

#include <iconv.h>
#include <langinfo.h>

#include <array>
#include <cerrno>
#include <string>

#include "common/to_lower_ascii.h"

namespace {

struct CharsetName {
    const char* name;  // lower case, as nl_langinfo may spell it
    ConsoleCharset charset;
};

constexpr std::array<CharsetName, 9> kJapaneseCharsets = {{
    {"shift_jis", ConsoleCharset::ShiftJis},
    {"shift-jis", ConsoleCharset::ShiftJis},
    {"sjis", ConsoleCharset::ShiftJis},
    {"cp932", ConsoleCharset::ShiftJis},
    {"windows-31j", ConsoleCharset::ShiftJis},
    {"ms_kanji", ConsoleCharset::ShiftJis},
    {"euc-jp", ConsoleCharset::EucJp},
    {"eucjp", ConsoleCharset::EucJp},
    {"euc-jp-ms", ConsoleCharset::EucJp},
}};

ConsoleCharset charsetNamed(const char* name) {
    std::string lowered = name == nullptr ? "" : name;
    toLowerAscii(lowered.data());
    for (const CharsetName& candidate : kJapaneseCharsets) {
        if (lowered == candidate.name) {
            return candidate.charset;
        }
    }
    return ConsoleCharset::Utf8;
}

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t openConverter(const char* preferred, const char* fallback) {
    iconv_t converter = iconv_open(preferred, "UTF-8");
    if (converter == kNoConverter) {
        converter = iconv_open(fallback, "UTF-8");
    }
    return converter;
}

// Each converter is opened at its first use and kept for the rest of the
// run; the system releases it at exit.
iconv_t shiftJisConverter() {
    static const iconv_t converter = openConverter("CP932", "SHIFT_JIS");
    return converter;
}

iconv_t eucJpConverter() {
    static const iconv_t converter = openConverter("EUC-JP", "EUCJP");
    return converter;
}

std::string convertFromUtf8(iconv_t converter, std::string_view utf8) {
    if (converter == kNoConverter) {
        return std::string(utf8);
    }
    // Each text starts from the converter's initial state.
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string input(utf8);
    std::string output;
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::array<char, 256> chunk{};
    while (inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(chunk.data(), chunk.size() - outLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // Not representable or not valid UTF-8: mark it and skip the
            // whole UTF-8 sequence.
            output.push_back('?');
            do {
                ++in;
                --inLeft;
            } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
        }
    }
    return output;
}

// The iconv name of the locale's character set; typed text of the C locale
// (ASCII) is read as UTF-8, its superset.
const char* typedTextCharset() {
    switch (consoleCharset()) {
        case ConsoleCharset::ShiftJis:
            return "CP932";
        case ConsoleCharset::EucJp:
            return "EUC-JP";
        case ConsoleCharset::Utf8:
            break;
    }
    return "UTF-8";
}

}  // namespace

ConsoleCharset consoleCharset() { return charsetNamed(nl_langinfo(CODESET)); }

bool consoleUsesShiftJis() { return consoleCharset() == ConsoleCharset::ShiftJis; }

std::string utf8ToShiftJis(std::string_view utf8) { return convertFromUtf8(shiftJisConverter(), utf8); }

std::string utf8ToEucJp(std::string_view utf8) { return convertFromUtf8(eucJpConverter(), utf8); }

// Converts the whole text strictly: any byte sequence that is no character
// in `from`, or any character without a form in `to`, fails it all.
bool convertStrictly(const char* to, const char* from, std::string_view text, std::string& converted) {
    iconv_t converter = iconv_open(to, from);
    if (converter == kNoConverter) {
        return false;
    }
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    converted.clear();
    std::array<char, 256> chunk{};
    bool whole = true;
    while (whole && inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        converted.append(chunk.data(), chunk.size() - outLeft);
        whole = result != static_cast<std::size_t>(-1) || errno == E2BIG;
    }
    iconv_close(converter);
    return whole;
}

bool consoleTextToShiftJis(std::string_view text, std::string& shiftJis) {
    return convertStrictly("CP932", typedTextCharset(), text, shiftJis);
}

bool shiftJisToUtf8(std::string_view shiftJis, std::string& utf8) {
    return convertStrictly("UTF-8", "CP932", shiftJis, utf8);
}

void writeConsoleText(std::FILE* stream, std::string_view utf8) {
    std::string converted;
    switch (consoleCharset()) {
        case ConsoleCharset::ShiftJis:
            converted = utf8ToShiftJis(utf8);
            break;
        case ConsoleCharset::EucJp:
            converted = utf8ToEucJp(utf8);
            break;
        case ConsoleCharset::Utf8:
            std::fwrite(utf8.data(), 1, utf8.size(), stream);
            return;
    }
    std::fwrite(converted.data(), 1, converted.size(), stream);
}
