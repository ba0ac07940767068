#include "DrawTestSupport.h"

#include <sys/stat.h>

using namespace drawtest;

namespace {

std::string u32(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string entry(const std::string& name, const Bytes& data)
{
    return u32(static_cast<uint32_t>(data.size())) + u32(static_cast<uint32_t>(name.size())) + name +
           std::string(data.begin(), data.end());
}

} // namespace

typedef DrawTest DrawPreloadTest;

TEST_F(DrawPreloadTest, ArchiveEntriesAreRegisteredByNameAndAdvanceTheBar)
{
    preload({{"a.tga", tga(2, 2, 1, 1, 1, 255)}, {"", tga(3, 3, 1, 1, 1, 255)}, {"b.tga", tga(4, 4, 1, 1, 1, 255)}});
    EXPECT_EQ(CDraw::GetLoadTotal(), 3 + CDraw::LOAD_CATALOGUE_UNITS);
    EXPECT_EQ(CDraw::GetLoadCount(), 3);
    const CImageRecord* a = CDraw::FindImageRecord("a.tga");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->refs, 0);
    EXPECT_EQ(a->id, -1);
    EXPECT_EQ(a->size, static_cast<int32_t>(tga(2, 2, 1, 1, 1, 255).size()));
    // The empty name is registered like any other.
    EXPECT_NE(CDraw::FindImageRecord(""), nullptr);
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::GetImage("b.tga")), 4);
    // Nothing was decoded by the preload itself.
    EXPECT_EQ(CDraw::GetImageCount(), 1);
}

TEST_F(DrawPreloadTest, TheFirstEntryOfADuplicateNameWins)
{
    preload({{"twice.tga", tga(2, 2, 1, 1, 1, 255)}, {"twice.tga", tga(5, 5, 1, 1, 1, 255)}});
    EXPECT_EQ(CDraw::GetLoadCount(), 2);
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::GetImage("twice.tga")), 2);
}

TEST_F(DrawPreloadTest, OffsetsNeedNotIncrease)
{
    std::string second = entry("second.tga", tga(7, 1, 1, 1, 1, 255));
    std::string first = entry("first.tga", tga(6, 1, 1, 1, 1, 255));
    std::string bytes = u32(2) + u32(static_cast<uint32_t>(12 + second.size())) + u32(12) + second + first;
    testsupport::writeFile(m_dir.file("resource2.dat"), bytes);
    CDraw::PreloadFiles();
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::GetImage("first.tga")), 6);
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::GetImage("second.tga")), 7);
}

TEST_F(DrawPreloadTest, AnEmptyArchiveStillRunsTheCatalogues)
{
    preload({});
    EXPECT_EQ(CDraw::GetLoadTotal(), CDraw::LOAD_CATALOGUE_UNITS);
    EXPECT_EQ(CDraw::GetLoadCount(), 0);
    EXPECT_FATAL(CDraw::PreloadImages(), "Unable to find preloaded image: dimmer.png");
}

TEST_F(DrawPreloadTest, DamagedArchivesEndTheProgramNamingTheArchive)
{
    std::string good = entry("a.tga", tga(2, 2, 1, 1, 1, 255));

    // Data running past the end of the file.
    testsupport::writeFile(m_dir.file("resource2.dat"), (u32(1) + u32(8) + good).substr(0, 30));
    EXPECT_FATAL(CDraw::PreloadFiles(), "resource2.dat");

    // A name length far beyond the file.
    testsupport::writeFile(m_dir.file("resource2.dat"), u32(1) + u32(8) + u32(4) + u32(0x7fffffff) + "abcd");
    EXPECT_FATAL(CDraw::PreloadFiles(), "resource2.dat");

    // An offset beyond the file.
    testsupport::writeFile(m_dir.file("resource2.dat"), u32(1) + u32(5000) + good);
    EXPECT_FATAL(CDraw::PreloadFiles(), "resource2.dat");

    // An offset table longer than the file.
    testsupport::writeFile(m_dir.file("resource2.dat"), u32(1000000) + u32(8));
    EXPECT_FATAL(CDraw::PreloadFiles(), "resource2.dat");

    // No archive at all.
    remove(m_dir.file("resource2.dat").c_str());
    EXPECT_FATAL(CDraw::PreloadFiles(), "'resource2.dat' cannot be used:  cannot be opened: No such file or directory\n"
                                        "(.|\n)*Cannot load resource file!");
}

TEST_F(DrawPreloadTest, MissingLoadBarPictureEndsTheProgram)
{
    remove(m_dir.file("resource1.dat").c_str());
    writeArchive(m_dir.file("resource2.dat"), {});
    EXPECT_FATAL(CDraw::PreloadFiles(), "'resource1.dat' cannot be used:  [^\n]+\n(.|\n)*Unable to load image: ");
}

TEST_F(DrawPreloadTest, FolderModeSkipsSubFolders)
{
    mkdir(m_dir.file("resource").c_str(), 0755);
    mkdir(m_dir.file("resource/sound").c_str(), 0755);
    Bytes bytes = tga(3, 2, 1, 2, 3, 255);
    std::vector<unsigned char> raw(bytes.begin(), bytes.end());
    testsupport::writeFile(m_dir.file("resource/one.tga"), raw);
    testsupport::writeFile(m_dir.file("resource/two.tga"), raw);
    testsupport::writeFile(m_dir.file("resource/sound/noise.ogg"), std::string("x"));

    CDraw::SetLoadFromDirectory(1);
    CDraw::PreloadFiles();
    CDraw::SetLoadFromDirectory(0);
    EXPECT_EQ(CDraw::GetLoadTotal(), 2 + CDraw::LOAD_CATALOGUE_UNITS);
    EXPECT_EQ(CDraw::FindImageRecord("one.tga")->size, static_cast<int32_t>(raw.size()));
    EXPECT_NE(CDraw::FindImageRecord("two.tga"), nullptr);
    EXPECT_EQ(CDraw::FindImageRecord("sound"), nullptr);
    EXPECT_EQ(CDraw::GetImageWidth(CDraw::GetImage("one.tga")), 3);

    // The working folder is unchanged afterwards.
    EXPECT_TRUE(testsupport::fileExists("resource2.dat") || testsupport::fileExists("resource0.dat"));
}

TEST_F(DrawPreloadTest, FolderModeWithoutTheFolderEndsTheProgram)
{
    CDraw::SetLoadFromDirectory(1);
    EXPECT_FATAL(CDraw::PreloadFiles(), "'resource/' cannot be used:  No such file or directory\n"
                                        "(.|\n)*Unable to preload graphics: Directory stream pointer was not opened.");
    CDraw::SetLoadFromDirectory(0);
}
