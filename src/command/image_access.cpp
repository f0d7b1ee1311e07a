#include "command/image_access.h"

#include "common/messages.h"

bool openImageOrReport(D88Image& image, const char* path, ImageAccess access) {
    const bool opened = access == ImageAccess::Update ? image.open(path) : image.openReadOnly(path);
    if (!opened) {
        printMessage<Message::CannotOpenImage>(stderr);
        return false;
    }
    return imageReadOrReport(image);
}

bool imageReadOrReport(const D88Image& image) {
    if (image.readFailed()) {
        printMessage<Message::ImageReadFailed>(stderr);
        return false;
    }
    return true;
}
