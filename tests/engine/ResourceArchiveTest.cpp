#include <gtest/gtest.h>

#include "engine/ResourceArchive.h"
#include "test_support.h"

using testsupport::TempDir;

namespace {
std::string u32(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}
} // namespace

TEST(ResourceArchive, WriterOutputReadsBackInOrder)
{
    TempDir dir;
    ResourceArchiveWriter w;
    w.Add("a.png", std::string("AAAA"));
    w.Add("", std::string("x"));
    w.Add("b.lvl", std::string());
    ASSERT_TRUE(w.Write(dir.file("r.dat")));

    std::string bytes = testsupport::readFile(dir.file("r.dat"));
    // count, three offsets, then the first entry right after the table.
    EXPECT_EQ(bytes.substr(0, 4), u32(3));
    EXPECT_EQ(bytes.substr(4, 4), u32(16));
    EXPECT_EQ(bytes.substr(16, 8), u32(4) + u32(5));
    EXPECT_EQ(bytes.substr(24, 9), "a.pngAAAA");

    ResourceArchiveReader r;
    ASSERT_TRUE(r.Open(dir.file("r.dat").c_str()));
    ASSERT_EQ(r.Count(), 3u);
    std::string name;
    std::vector<uint8_t> data;
    ASSERT_TRUE(r.ReadEntry(0, name, data));
    EXPECT_EQ(name, "a.png");
    EXPECT_EQ(std::string(data.begin(), data.end()), "AAAA");
    ASSERT_TRUE(r.ReadEntry(1, name, data));
    EXPECT_EQ(name, "");
    EXPECT_EQ(data.size(), 1u);
    ASSERT_TRUE(r.ReadEntry(2, name, data));
    EXPECT_EQ(name, "b.lvl");
    EXPECT_TRUE(data.empty());
}

TEST(ResourceArchive, OffsetsOutOfOrderAreFollowed)
{
    TempDir dir;
    // Two entries stored in reverse order of the table.
    std::string second = u32(1) + u32(1) + "b" + "2";
    std::string first = u32(1) + u32(1) + "a" + "1";
    std::string bytes = u32(2) + u32(12 + second.size()) + u32(12) + second + first;
    testsupport::writeFile(dir.file("r.dat"), bytes);
    ResourceArchiveReader r;
    ASSERT_TRUE(r.Open(dir.file("r.dat").c_str()));
    std::string name;
    std::vector<uint8_t> data;
    ASSERT_TRUE(r.ReadEntry(0, name, data));
    EXPECT_EQ(name, "a");
    ASSERT_TRUE(r.ReadEntry(1, name, data));
    EXPECT_EQ(name, "b");
}

TEST(ResourceArchive, DamagedArchivesGiveErrorsNotReads)
{
    TempDir dir;
    ResourceArchiveReader r;
    std::string name;
    std::vector<uint8_t> data;

    EXPECT_FALSE(r.Open(dir.file("missing.dat").c_str()));
    EXPECT_TRUE(r.error().empty());

    testsupport::writeFile(dir.file("empty.dat"), std::string());
    EXPECT_FALSE(r.Open(dir.file("empty.dat").c_str()));
    EXPECT_FALSE(r.error().empty());

    // A count far larger than the file.
    testsupport::writeFile(dir.file("count.dat"), u32(0x40000000));
    EXPECT_FALSE(r.Open(dir.file("count.dat").c_str()));
    EXPECT_FALSE(r.error().empty());

    // The offset table's bound: a table that just fits the file opens (its
    // entries are checked when read); one a single entry short of its count
    // does not, and neither does one of a single entry that is cut.
    testsupport::writeFile(dir.file("fits.dat"), u32(2) + u32(12) + u32(12));
    ASSERT_TRUE(r.Open(dir.file("fits.dat").c_str()));
    EXPECT_EQ(r.Count(), 2u);
    testsupport::writeFile(dir.file("short.dat"), u32(3) + u32(12) + u32(12));
    EXPECT_FALSE(r.Open(dir.file("short.dat").c_str()));
    EXPECT_NE(r.error().find("offset table"), std::string::npos) << r.error();
    EXPECT_EQ(r.Count(), 0u);
    testsupport::writeFile(dir.file("cut.dat"), u32(1) + "\x08\x00");
    EXPECT_FALSE(r.Open(dir.file("cut.dat").c_str()));

    // Count 0 is a valid, empty archive.
    testsupport::writeFile(dir.file("zero.dat"), u32(0));
    ASSERT_TRUE(r.Open(dir.file("zero.dat").c_str()));
    EXPECT_EQ(r.Count(), 0u);

    // An offset past the end, a size past the end, a name length past the end.
    testsupport::writeFile(dir.file("off.dat"), u32(1) + u32(1000));
    ASSERT_TRUE(r.Open(dir.file("off.dat").c_str()));
    EXPECT_FALSE(r.ReadEntry(0, name, data));
    EXPECT_NE(r.error().find("past the end"), std::string::npos);

    testsupport::writeFile(dir.file("size.dat"), u32(1) + u32(8) + u32(0xFFFFFFFF) + u32(1) + "a");
    ASSERT_TRUE(r.Open(dir.file("size.dat").c_str()));
    EXPECT_FALSE(r.ReadEntry(0, name, data));

    testsupport::writeFile(dir.file("name.dat"), u32(1) + u32(8) + u32(0) + u32(0xFFFFFFF0));
    ASSERT_TRUE(r.Open(dir.file("name.dat").c_str()));
    EXPECT_FALSE(r.ReadEntry(0, name, data));
    EXPECT_TRUE(name.empty());
}
