// imgmint's arguments for one image of every media type, in the order of its
// table; the generic types with a sector count and size code of their own.
#pragma once

#include <string>
#include <vector>

inline const std::vector<std::vector<std::string>>& everyMediaType() {
    static const std::vector<std::vector<std::string>> arguments = {
        {"2d", "16", "1"}, {"2dd", "9", "2"}, {"2hd", "8", "3"}, {"1d", "16", "1"}, {"1dd", "16", "1"},
        {"2dbas"},         {"2ddbas"},        {"2hdbas"},        {"2hdbas88"},      {"2dddos"},
        {"2dddos6"},       {"2dddos9"},       {"2hddos"},        {"2hcdos"},        {"2hddos144"},
        {"2dblank"},       {"2ddblank"},      {"2hdblank"},      {"1dbas"},         {"1dbas80"},
        {"1dbas66"},       {"1ddbas"},        {"1ddbas66"},      {"1dblank"},       {"1ddblank"},
    };
    return arguments;
}
