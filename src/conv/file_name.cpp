#include "conv/file_name.h"

#include "common/to_lower_ascii.h"

std::string lowerExtension(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) {
        return {};
    }
    std::string extension(name.substr(dot));
    toLowerAscii(extension.data());
    return extension;
}
