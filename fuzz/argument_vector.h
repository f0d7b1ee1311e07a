// The one builder of a writable argv, for the fuzz bodies and the tests that
// run a command in process or start a program.
#pragma once

#include <string>
#include <vector>

// argv for a program and the texts of its arguments; the texts (and the
// program's name) must outlive it. Ends with the null pointer, as main
// receives it.
inline std::vector<char*> argumentVector(const char* program, std::vector<std::string>& texts) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    return argv;
}
