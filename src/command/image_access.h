// Opening an image for a command, and telling the user when it cannot be
// opened or read.
#pragma once

#include "image/d88_image.h"

enum class ImageAccess { Update, ReadOnly };

// Opens the image and reads its directory of disks. When the file cannot be
// opened, or reading it fails, prints the message and returns false.
bool openImageOrReport(D88Image& image, const char* path, ImageAccess access);

// After reads of the image: false, with the message printed, when one of
// them failed with an error.
bool imageReadOrReport(const D88Image& image);
