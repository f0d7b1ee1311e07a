#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Splits fuzz input into NUL-separated command-line arguments behind a
// program name, with a writable argv for the commands that change arguments
// in place.
// A writable argv for a program and the texts of its arguments; the texts
// must outlive it. Ends with the null pointer, as main receives it.
inline std::vector<char*> argumentVector(const char* program, std::vector<std::string>& texts) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    return argv;
}

class FuzzArguments {
public:
    FuzzArguments(const char* program, const std::uint8_t* data, std::size_t size, std::size_t maxArguments) {
        texts_.emplace_back(program);
        std::string current;
        for (std::size_t i = 0; i < size && texts_.size() <= maxArguments; ++i) {
            if (data[i] == 0) {
                texts_.push_back(current);
                current.clear();
            } else {
                current.push_back(static_cast<char>(data[i]));
            }
        }
        if (!current.empty() && texts_.size() <= maxArguments) {
            texts_.push_back(current);
        }
        for (std::string& text : texts_) {
            pointers_.push_back(text.data());
        }
        pointers_.push_back(nullptr);
    }

    int argc() const { return static_cast<int>(pointers_.size()) - 1; }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};
