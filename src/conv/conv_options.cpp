#include "conv/conv_options.h"

#include <cstring>
#include <string_view>

#include "conv/strict_number.h"

namespace {

enum class Option { From, To, Disk, Media, KeepExisting };

struct OptionName {
    const char* name;
    Option option;
    bool takesValue;
};

constexpr OptionName kOptions[] = {
    {"--from", Option::From, true},   {"--to", Option::To, true},
    {"--disk", Option::Disk, true},   {"--media", Option::Media, true},
    {"-n", Option::KeepExisting, false},
};

constexpr std::string_view kEndOfOptions = "--";

bool apply(Option option, const char* value, ConvOptions& options, Refusal& refusal) {
    switch (option) {
    case Option::From:
        options.from = value;
        break;
    case Option::To:
        options.to = value;
        break;
    case Option::Disk:
        if (!parseStrictNumber(value, options.disk)) {
            return refuse(refusal, Problem::BadDiskNumber, value);
        }
        options.diskGiven = true;
        break;
    case Option::Media:
        options.media = value;
        break;
    case Option::KeepExisting:
        options.keepExisting = true;
        break;
    }
    return true;
}

// The option an argument names, with an attached "=value" split off.
const OptionName* findOption(std::string_view argument, const char*& attachedValue, const char* text) {
    for (const OptionName& entry : kOptions) {
        const std::string_view name = entry.name;
        if (argument == name) {
            attachedValue = nullptr;
            return &entry;
        }
        if (entry.takesValue && argument.size() > name.size() && argument.substr(0, name.size()) == name &&
            argument[name.size()] == '=') {
            attachedValue = text + name.size() + 1;
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

bool parseConvOptions(int argc, char** argv, ConvOptions& options, Refusal& refusal) {
    options = ConvOptions{};
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* text = argv[i];
        const std::string_view argument = text;
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            options.operands.push_back(text);  // "-" alone is an operand: standard output
            continue;
        }
        if (argument == kEndOfOptions) {
            optionsEnded = true;
            continue;
        }
        const char* value = nullptr;
        const OptionName* entry = findOption(argument, value, text);
        if (entry == nullptr) {
            return refuse(refusal, Problem::UnknownOption, text);
        }
        if (entry->takesValue && value == nullptr) {
            if (i + 1 >= argc) {
                return refuse(refusal, Problem::OptionNeedsValue, entry->name);
            }
            value = argv[++i];
        }
        if (!apply(entry->option, value, options, refusal)) {
            return false;
        }
    }
    return true;
}
