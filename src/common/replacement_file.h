// A file that replaces its target only when it is complete: the bytes go to
// a temporary file beside the target, which is flushed to the disk and then
// renamed over the target. Until commit() succeeds the target is untouched,
// and a replacement that is abandoned (or fails) leaves no temporary file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class ReplacementFile {
public:
    ReplacementFile() = default;
    ~ReplacementFile() { abandon(); }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file in the target's directory. False when it
    // cannot be created (a missing or read-only directory).
    bool begin(const std::string& target);

    // Appends bytes; false once any write has failed.
    bool write(const std::uint8_t* bytes, std::size_t length);

    // The open temporary stream, for writers that produce text; nullptr
    // before begin().
    std::FILE* stream() { return file_; }

    // Flushes the bytes to the disk, gives the file the target's permissions
    // (or the usual ones for a new file) and closes it; only the rename is
    // left. Writers of several files finish them all before committing any,
    // so that a failure in one leaves every target as it was. False, with no
    // temporary file, on any failure.
    bool finish();

    // Finishes the file if that is not done yet and renames it over the
    // target. False, with the target as it was and no temporary file, on any
    // failure.
    bool commit();

    // Removes the temporary file, if any; the target stays as it was.
    void abandon();

private:
    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    bool finished_ = false;
};

// Whether something exists at the path (a file, a directory, a dangling link).
bool pathExists(const std::string& path);
