// The extension of a file name, for choosing formats and layouts by it.
#pragma once

#include <string>
#include <string_view>

// The last '.' of the final path component and what follows, in lower case
// (".d88"); empty when there is none or the name only starts with the dot.
std::string lowerExtension(std::string_view path);
