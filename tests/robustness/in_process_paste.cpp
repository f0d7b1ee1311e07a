#include "robustness/in_process_paste.h"

#include <cstdio>
#include <cstdlib>

#include "paste/paste_command.h"

namespace {

std::string takeText(std::FILE* stream, char*& text, std::size_t& length) {
    std::fclose(stream);
    std::string taken = text == nullptr ? std::string() : std::string(text, length);
    std::free(text);
    return taken;
}

}  // namespace

Bytes loadFile(const std::string& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long length = std::ftell(file);
        bytes.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        std::rewind(file);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::fclose(file);
    return bytes;
}

ProgramResult pasteInProcess(const std::vector<std::string>& arguments) {
    std::vector<std::string> texts{"imgpoke"};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    // stdout and stderr are plain variables in glibc; pointing them at memory
    // streams for the run captures exactly what the program would print in
    // the "C" locale (UTF-8 texts).
    char* outText = nullptr;
    char* errText = nullptr;
    std::size_t outLength = 0;
    std::size_t errLength = 0;
    std::FILE* out = open_memstream(&outText, &outLength);
    std::FILE* err = open_memstream(&errText, &errLength);
    std::FILE* const savedOut = stdout;
    std::FILE* const savedErr = stderr;
    ProgramResult result;
    if (out == nullptr || err == nullptr) {
        for (std::FILE* stream : {out, err}) {
            if (stream != nullptr) {
                std::fclose(stream);
            }
        }
        std::free(outText);
        std::free(errText);
        return result;
    }
    stdout = out;
    stderr = err;
    result.exitStatus = runPasteCommand(static_cast<int>(texts.size()), argv.data());
    stdout = savedOut;
    stderr = savedErr;
    result.out = takeText(out, outText, outLength);
    result.err = takeText(err, errText, errLength);
    return result;
}
