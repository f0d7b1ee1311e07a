#include "common/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions a new file gets from open(..., 0666) under the umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

bool pathExists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool ReplacementFile::begin(const std::string& target) {
    abandon();
    target_ = target;
    std::string pattern = directoryOf(target) + "/." + baseNameOf(target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
        return false;
    }
    temporary_ = name.data();
    file_ = ::fdopen(descriptor, "wb");
    if (file_ == nullptr) {
        ::close(descriptor);
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    failed_ = false;
    finished_ = false;
    return true;
}

bool ReplacementFile::write(const std::uint8_t* bytes, std::size_t length) {
    if (file_ == nullptr || failed_) {
        return false;
    }
    if (length > 0 && std::fwrite(bytes, 1, length, file_) != length) {
        failed_ = true;
    }
    return !failed_;
}

bool ReplacementFile::finish() {
    if (finished_) {
        return true;
    }
    if (file_ == nullptr) {
        return false;
    }
    struct stat existing {};
    const mode_t mode = ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newFileMode();
    const bool flushed = !failed_ && std::fflush(file_) == 0 && std::ferror(file_) == 0 &&
                         ::fchmod(::fileno(file_), mode) == 0 && ::fsync(::fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    finished_ = true;
    return true;
}

bool ReplacementFile::commit() {
    if (!finish()) {
        return false;
    }
    finished_ = false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    temporary_.clear();
    return true;
}

void ReplacementFile::abandon() {
    finished_ = false;
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}
