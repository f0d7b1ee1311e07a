#pragma once

// Lowers the bytes 'A' to 'Z' of a NUL-terminated string in place; every other
// byte, including the bytes of double-byte characters, stays as it is.
void toLowerAscii(char* text);
