// Content fingerprints: a file's key agrees with the key of its bytes in memory at every size,
// including files large enough that their two halves are hashed on two threads, and any changed
// byte past the skipped head gives another key.
#include "db/content_key.h"

#include "platform/file_io.h"
#include "tests/support/catalogue_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <vector>

namespace bearing {
namespace {

std::vector<unsigned char> patterned(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 131 + i / 4096);
    return bytes;
}

constexpr std::size_t kSkip = 16;

ContentKey keyInMemory(const std::vector<unsigned char>& bytes) {
    const std::size_t skip = std::min(kSkip, bytes.size());
    return contentKey(bytes.data() + skip, bytes.size() - skip);
}

TEST(ContentKeyTest, FileKeyAgreesWithTheKeyOfItsBytesAndHandsBackTheHead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path path = dir.filePath("bde.mdb").toStdString();
    for (const std::size_t size : {std::size_t{0}, std::size_t{10}, kSkip, kSkip + 1,
                                   std::size_t{4096}, (std::size_t{9} << 20) + 3}) {
        const std::vector<unsigned char> bytes = patterned(size);
        test::writeFile(path, bytes);
        std::vector<unsigned char> head;
        EXPECT_EQ(fileContentKey(path, kSkip, head), keyInMemory(bytes)) << size;
        EXPECT_EQ(head, std::vector<unsigned char>(bytes.begin(),
                                                   bytes.begin() + std::min(kSkip, bytes.size())))
            << size;
    }
}

TEST(ContentKeyTest, EveryChangePastTheHeadChangesTheKeyAndTheHeadDoesNot) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path path = dir.filePath("bde.mdb").toStdString();
    const std::vector<unsigned char> original = patterned((std::size_t{9} << 20) + 3);
    test::writeFile(path, original);
    std::vector<unsigned char> head;
    const ContentKey key = fileContentKey(path, kSkip, head);

    std::vector<unsigned char> changed = original;
    changed[3] ^= 0xFF;
    test::writeFile(path, changed);
    EXPECT_EQ(fileContentKey(path, kSkip, head), key) << "inside the skipped head";

    for (const std::size_t at : {kSkip, original.size() / 2, original.size() - 1}) {
        changed = original;
        changed[at] ^= 0x01;
        test::writeFile(path, changed);
        EXPECT_NE(fileContentKey(path, kSkip, head), key) << at;
    }
    changed = original;
    changed.push_back(0);
    test::writeFile(path, changed);
    EXPECT_NE(fileContentKey(path, kSkip, head), key) << "one byte longer";
}

TEST(ContentKeyTest, MissingFileIsAFileError) {
    std::vector<unsigned char> head;
    EXPECT_THROW((void)fileContentKey("/nonexistent/bde.mdb", kSkip, head), FileError);
}

} // namespace
} // namespace bearing
