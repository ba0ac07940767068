#include <gtest/gtest.h>

#include <cstring>

#include "engine/Endian.h"
#include "test_support.h"

using testsupport::TempDir;

TEST(Endian, StreamValuesAreLittleEndianAndRoundTrip)
{
    TempDir dir;
    std::string path = dir.file("values.bin");
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(WriteUint32(1, f), 4u);
    EXPECT_EQ(WriteInt32(-1, f), 4u);
    EXPECT_EQ(WriteUint8(0xAB, f), 1u);
    EXPECT_EQ(WriteUint64(0x0102030405060708ull, f), 8u);
    fclose(f);

    std::string bytes = testsupport::readFile(path);
    ASSERT_EQ(bytes.size(), 17u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(bytes.substr(4, 4), std::string("\xFF\xFF\xFF\xFF", 4));
    EXPECT_EQ(bytes.substr(9, 8), std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8));

    f = fopen(path.c_str(), "rb");
    uint32_t u = 0;
    int32_t i = 0;
    uint8_t b = 0;
    uint64_t w = 0;
    EXPECT_TRUE(ReadUint32(&u, f));
    EXPECT_TRUE(ReadInt32(&i, f));
    EXPECT_TRUE(ReadUint8(&b, f));
    EXPECT_TRUE(ReadUint64(&w, f));
    EXPECT_EQ(u, 1u);
    EXPECT_EQ(i, -1);
    EXPECT_EQ(b, 0xAB);
    EXPECT_EQ(w, 0x0102030405060708ull);
    // Past the end: the value is 0 and the read reports it.
    u = 77;
    EXPECT_FALSE(ReadUint32(&u, f));
    EXPECT_EQ(u, 0u);
    fclose(f);
}

TEST(Endian, ShortReadStoresZero)
{
    TempDir dir;
    testsupport::writeFile(dir.file("short.bin"), std::string("\x01\x02", 2));
    FILE* f = fopen(dir.file("short.bin").c_str(), "rb");
    int32_t v = 5;
    EXPECT_FALSE(ReadInt32(&v, f));
    EXPECT_EQ(v, 0);
    fclose(f);
}

TEST(Endian, ConversionsOnThisHost)
{
    // The byte-order mark FF FE read as a host unit is 0xFEFF here.
    const unsigned char bom[2] = {0xFF, 0xFE};
    uint16_t unit;
    memcpy(&unit, bom, 2);
    ASSERT_FALSE(IsBigEndianHost());
    EXPECT_EQ(SwapToHost16(unit), 0xFEFF);
    EXPECT_EQ(SwapToHost32(0x11223344u), 0x11223344u);
    EXPECT_EQ(SwapToHostInt32(-5), -5);
    EXPECT_EQ(SwapToHost64(0x1122334455667788ull), 0x1122334455667788ull);
    EXPECT_EQ(SwapToHost8(0x7F), 0x7F);
    EXPECT_FLOAT_EQ(SwapFloatToHost(0x3F800000u), 1.0f);
}
