#include "image/record_cursor.h"

bool RecordCursor::next(RecordHeader& header) {
    if (!readRecordHeader(window_, position_, header)) {
        return false;
    }
    position_ = header.end();
    return true;
}
