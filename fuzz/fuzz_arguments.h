// Splits fuzz input into NUL-separated command-line arguments behind a
// program name, with a writable argv for the commands that change arguments
// in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "argument_vector.h"

class FuzzArguments {
public:
    FuzzArguments(const char* program, const std::uint8_t* data, std::size_t size, std::size_t maxArguments)
        : program_(program) {
        std::string current;
        for (std::size_t i = 0; i < size && texts_.size() < maxArguments; ++i) {
            if (data[i] == 0) {
                texts_.push_back(current);
                current.clear();
            } else {
                current.push_back(static_cast<char>(data[i]));
            }
        }
        if (!current.empty() && texts_.size() < maxArguments) {
            texts_.push_back(current);
        }
        pointers_ = argumentVector(program_.c_str(), texts_);
    }

    int argc() const { return static_cast<int>(pointers_.size()) - 1; }
    char** argv() { return pointers_.data(); }

private:
    std::string program_;
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};
