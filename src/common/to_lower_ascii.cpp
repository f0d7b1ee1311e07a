#include "common/to_lower_ascii.h"

void toLowerAscii(char* text) {
    if (text == nullptr) {
        return;
    }
    for (; *text != '\0'; ++text) {
        if (*text >= 'A' && *text <= 'Z') {
            *text = static_cast<char>(*text + 0x20);
        }
    }
}
