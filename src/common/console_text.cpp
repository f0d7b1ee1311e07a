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

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t openShiftJisConverter() {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == kNoConverter) {
        converter = iconv_open("SHIFT_JIS", "UTF-8");
    }
    return converter;
}

// Opened at the first conversion and kept for the rest of the run; the
// system releases it at exit.
iconv_t shiftJisConverter() {
    static const iconv_t converter = openShiftJisConverter();
    return converter;
}

}  // namespace

bool consoleUsesShiftJis() { return isShiftJisCharset(nl_langinfo(CODESET)); }

std::string utf8ToShiftJis(std::string_view utf8) {
    iconv_t converter = shiftJisConverter();
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

void writeConsoleText(std::FILE* stream, std::string_view utf8) {
    if (consoleUsesShiftJis()) {
        const std::string converted = utf8ToShiftJis(utf8);
        std::fwrite(converted.data(), 1, converted.size(), stream);
    } else {
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
    }
}
