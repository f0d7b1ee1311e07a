// The image window on streams that end or fail: a read error is told apart
// from the end of the file, and a read-only window takes no write.
#include "image/image_window.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A stream over bytes in memory whose reads fail with EIO from `failAt` on,
// when that is before the end.
struct FailingSource {
    std::vector<std::uint8_t> bytes;
    std::size_t failAt;
    std::size_t position = 0;
};

ssize_t readFailing(void* cookie, char* out, std::size_t size) {
    auto* source = static_cast<FailingSource*>(cookie);
    if (source->position >= source->bytes.size()) {
        return 0;
    }
    if (source->position >= source->failAt) {
        errno = EIO;
        return -1;
    }
    const std::size_t count = std::min({size, source->failAt - source->position, source->bytes.size() - source->position});
    std::memcpy(out, source->bytes.data() + source->position, count);
    source->position += count;
    return static_cast<ssize_t>(count);
}

int seekFailing(void* cookie, off64_t* offset, int whence) {
    auto* source = static_cast<FailingSource*>(cookie);
    const off64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<off64_t>(source->position)
                                                                    : static_cast<off64_t>(source->bytes.size());
    source->position = static_cast<std::size_t>(base + *offset);
    *offset = static_cast<off64_t>(source->position);
    return 0;
}

std::FILE* openFailing(FailingSource& source) {
    return fopencookie(&source, "rb", {readFailing, nullptr, seekFailing, nullptr});
}

TEST(ImageWindowTest, AFailedReadIsToldApartFromTheEndOfTheFile) {
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "read error" : "end of file");
        FailingSource source{std::vector<std::uint8_t>(1000, 0x5A), fails ? 600u : 1000u};
        std::FILE* file = openFailing(source);
        ASSERT_NE(file, nullptr);
        ImageWindow window;
        window.attach(file, false);
        std::uint8_t bytes[16] = {};
        EXPECT_EQ(window.read(990, bytes, sizeof bytes), fails ? 0u : 10u);
        EXPECT_EQ(window.readFailed(), fails);
        std::fclose(file);
    }
}

TEST(ImageWindowTest, AReadOnlyWindowTakesNoWrite) {
    FailingSource source{std::vector<std::uint8_t>(1000, 0x5A), 1000};
    std::FILE* file = openFailing(source);
    ASSERT_NE(file, nullptr);
    ImageWindow window;
    window.attach(file, false);
    const std::uint8_t in[4] = {1, 2, 3, 4};
    EXPECT_EQ(window.write(100, in, sizeof in), 0u);
    std::uint8_t back[4] = {};
    EXPECT_EQ(window.read(100, back, sizeof back), 4u);
    EXPECT_EQ(back[0], 0x5A);
    EXPECT_TRUE(window.flush());
    std::fclose(file);
}

}  // namespace
