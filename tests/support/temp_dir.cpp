#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <fstream>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "imgtools-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed for " << pattern;
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

// Reads in large blocks: the sweeps read thousands of images.
Bytes readFileBytes(const std::filesystem::path& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    constexpr std::size_t kBlock = 1 << 16;
    std::size_t got = 0;
    do {
        bytes.resize(bytes.size() + kBlock);
        got = std::fread(bytes.data() + bytes.size() - kBlock, 1, kBlock, file);
        bytes.resize(bytes.size() - kBlock + got);
    } while (got == kBlock);
    std::fclose(file);
    return bytes;
}

void writeFileBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}
