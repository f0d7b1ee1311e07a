#include "common/translation.h"

#include <libintl.h>
#include <unistd.h>

#include <clocale>
#include <string>

namespace {

constexpr const char* kDomain = "imgtools";

// <program's directory>/../share/locale: the installed layout
// (/usr/bin and /usr/share/locale) and the build tree's (bin and
// share/locale) alike, so that no setting is needed in either.
std::string catalogDirectory() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return {};
    }
    path.resize(static_cast<std::size_t>(length));
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash) + "/../share/locale";
}

}  // namespace

void startLocale() {
    std::setlocale(LC_ALL, "");
    const std::string directory = catalogDirectory();
    if (!directory.empty()) {
        ::bindtextdomain(kDomain, directory.c_str());
    }
    // The catalog's texts are UTF-8, like the table's; the console layer
    // converts them for the terminal.
    ::bind_textdomain_codeset(kDomain, "UTF-8");
}

const char* translated(const char* text) {
    return text[0] == '\0' ? text : ::dgettext(kDomain, text);
}
