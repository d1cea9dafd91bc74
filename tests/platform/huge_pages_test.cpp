#include "platform/file_io.h"
#include "platform/growing_buffer.h"
#include "platform/huge_pages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <unistd.h>

namespace bearing {
namespace {

TEST(HugePagesTest, MappingSizesAreWholePagesAndFromAnEighthOfAHugePageOnWholeHugePages) {
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    struct Case {
        std::size_t bytes, expected;
    };
    const Case cases[]{
        {0, page},
        {1, page},
        {page, page},
        {page + 1, 2 * page},
        {kHugePagesFrom - 1, kHugePagesFrom},
        {kHugePagesFrom, kHugePage},
        {kHugePage - 1, kHugePage},
        {kHugePage, kHugePage},
        {kHugePage + 1, 2 * kHugePage},
        {5 * kHugePage + page, 6 * kHugePage},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mappingSize(c.bytes), c.expected) << c.bytes;
}

TEST(HugePagesTest, ImagesKeepTheirBytesAcrossGrowthBothSidesOfAHugePage) {
    FileImage image(1000);
    std::iota(image.begin(), image.end(), 0);
    // From the standard allocator into a mapping, then into a larger mapping.
    for (const std::size_t size : {kHugePagesFrom + 5, kHugePage + 5, 3 * kHugePage + 1}) {
        image.resize(size);
        for (std::size_t i = 0; i < 1000; ++i)
            ASSERT_EQ(image[i], static_cast<unsigned char>(i)) << size;
        EXPECT_EQ(image.back(), 0);
        image.back() = 7;
    }
    image.shrink_to_fit();
    EXPECT_EQ(image.back(), 7);
}

TEST(HugePagesTest, GrowingBuffersKeepTheirValuesWhenTheyGrowIntoHugePages) {
    GrowingBuffer<std::uint32_t> values;
    for (std::uint32_t i = 0; i < 3 * kHugePage / sizeof(std::uint32_t); ++i)
        values.push(i);
    for (std::size_t i = 0; i < values.size(); i += 4099)
        ASSERT_EQ(values.data()[i], i);
}

TEST(HugePagesTest, ReadingAFileAgainIntoTheSameImageGivesTheNewContent) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("huge-pages-test-" + std::to_string(::getpid()) + ".bin");
    const auto write = [&](std::size_t size, char fill) {
        std::ofstream(path, std::ios::binary) << std::string(size, fill);
    };
    FileImage image;
    write(kHugePage + 3, 'a');
    readWholeFile(path, image);
    EXPECT_EQ(image.size(), kHugePage + 3);
    EXPECT_EQ(image.front(), 'a');
    EXPECT_EQ(image.back(), 'a');
    write(10, 'b');
    readWholeFile(path, image);
    EXPECT_EQ(image, FileImage(10, 'b'));
    std::filesystem::remove(path);
}

} // namespace
} // namespace bearing
