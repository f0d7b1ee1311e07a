#include "disk/disk_name.h"

#include <algorithm>
#include <string>

#include "common/console_text.h"

DiskNameField encodeDiskName(const char* typed) {
    DiskNameField field;
    std::string shiftJis;
    if (!consoleTextToShiftJis(typed, shiftJis)) {
        field.problem = DiskNameProblem::NotShiftJis;
        return field;
    }
    field.encodedLength = shiftJis.size();
    if (shiftJis.size() > d88::DiskHeader::nameLength) {
        field.problem = DiskNameProblem::TooLong;
        return field;
    }
    std::copy(shiftJis.begin(), shiftJis.end(), field.bytes.begin());
    return field;
}
