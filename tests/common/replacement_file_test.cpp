#include "common/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <filesystem>

#include "support/temp_dir.h"

namespace {

std::size_t entriesIn(const std::filesystem::path& directory) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) {
        ++count;
    }
    return count;
}

TEST(ReplacementFile, CommitReplacesTheTargetAndKeepsItsPermissions) {
    TempDir dir;
    const auto target = dir.file("disk.d88");
    writeFileBytes(target, {1, 2, 3});
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);

    ReplacementFile out;
    ASSERT_TRUE(out.begin(target.string()));
    const Bytes fresh{9, 8, 7, 6};
    ASSERT_TRUE(out.write(fresh.data(), fresh.size()));
    EXPECT_EQ(readFileBytes(target), (Bytes{1, 2, 3})) << "the target changes only at commit";
    ASSERT_TRUE(out.commit());

    EXPECT_EQ(readFileBytes(target), fresh);
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "no temporary file is left";
}

TEST(ReplacementFile, AbandonLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    const auto target = dir.file("disk.d88");
    writeFileBytes(target, {1, 2, 3});
    {
        ReplacementFile out;
        ASSERT_TRUE(out.begin(target.string()));
        const Bytes fresh{9};
        out.write(fresh.data(), fresh.size());
    }
    EXPECT_EQ(readFileBytes(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

// Several files are finished first and renamed only when all are complete;
// one dropped after finishing leaves its target and no temporary file.
TEST(ReplacementFile, FinishedFilesChangeNothingUntilCommitted) {
    TempDir dir;
    const auto first = dir.file("a.d88");
    const auto second = dir.file("b.d88");
    writeFileBytes(first, {1});
    writeFileBytes(second, {2});
    const Bytes fresh{7, 7};
    {
        ReplacementFile kept;
        ReplacementFile dropped;
        ASSERT_TRUE(kept.begin(first.string()));
        ASSERT_TRUE(dropped.begin(second.string()));
        ASSERT_TRUE(kept.write(fresh.data(), fresh.size()));
        ASSERT_TRUE(dropped.write(fresh.data(), fresh.size()));
        ASSERT_TRUE(kept.finish());
        ASSERT_TRUE(dropped.finish());
        EXPECT_EQ(readFileBytes(first), (Bytes{1}));
        EXPECT_EQ(entriesIn(dir.path()), 4u) << "both finished temporary files wait beside their targets";
        ASSERT_TRUE(kept.commit());
    }
    EXPECT_EQ(readFileBytes(first), fresh);
    EXPECT_EQ(readFileBytes(second), (Bytes{2}));
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(ReplacementFile, FailsToBeginInAMissingDirectory) {
    TempDir dir;
    ReplacementFile out;
    EXPECT_FALSE(out.begin(dir.file("missing/disk.d88").string()));
    EXPECT_FALSE(out.commit());
}

TEST(ReplacementFile, AWriteFailureLeavesTheTargetAndNoTemporaryFile) {
    // A file-size limit makes the writes fail part way, as a full file
    // system would.
    TempDir dir;
    const auto target = dir.file("disk.d88");
    writeFileBytes(target, {1, 2, 3});
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    ReplacementFile out;
    bool committed = true;
    if (out.begin(target.string())) {
        const Bytes big(64 * 1024, 0xE5);
        out.write(big.data(), big.size());
        committed = out.commit();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(committed);
    EXPECT_EQ(readFileBytes(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

}  // namespace
