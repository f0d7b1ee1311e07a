#include "common/console_text.h"

#include <iconv.h>
#include <langinfo.h>

#include <array>
#include <cerrno>
#include <string>

#include "common/to_lower_ascii.h"

namespace {

constexpr std::array<const char*, 6> kShiftJisCharsets = {
    "shift_jis", "shift-jis", "sjis", "cp932", "windows-31j", "ms_kanji",
};

bool isShiftJisCharset(const char* name) {
    std::string lowered = name == nullptr ? "" : name;
    toLowerAscii(lowered.data());
    for (const char* candidate : kShiftJisCharsets) {
        if (lowered == candidate) {
            return true;
        }
    }
    return false;
}

iconv_t openShiftJisConverter(const char* from = "UTF-8") {
    iconv_t converter = iconv_open("CP932", from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        converter = iconv_open("SHIFT_JIS", from);
    }
    return converter;
}

bool opened(iconv_t converter) { return converter != reinterpret_cast<iconv_t>(-1); }

}  // namespace

bool consoleUsesShiftJis() { return isShiftJisCharset(nl_langinfo(CODESET)); }

std::string utf8ToShiftJis(std::string_view utf8) {
    iconv_t converter = openShiftJisConverter();
    if (!opened(converter)) {
        return std::string(utf8);
    }
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
    iconv_close(converter);
    return output;
}

bool consoleTextToShiftJis(std::string_view text, std::string& shiftJis) {
    // Shift_JIS input goes through the converter too, so that byte sequences
    // that are no Shift_JIS character are refused.
    iconv_t converter = openShiftJisConverter(consoleUsesShiftJis() ? "CP932" : "UTF-8");
    if (!opened(converter)) {
        return false;
    }
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    shiftJis.clear();
    std::array<char, 256> chunk{};
    bool converted = true;
    while (converted && inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        shiftJis.append(chunk.data(), chunk.size() - outLeft);
        converted = result != static_cast<std::size_t>(-1) || errno == E2BIG;
    }
    iconv_close(converter);
    return converted;
}

void writeConsoleText(std::FILE* stream, std::string_view utf8) {
    if (consoleUsesShiftJis()) {
        const std::string converted = utf8ToShiftJis(utf8);
        std::fwrite(converted.data(), 1, converted.size(), stream);
    } else {
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
    }
}
