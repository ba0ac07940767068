#include "DrawTestSupport.h"

#include <SDL_image.h>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <fstream>
#include <map>
#include <regex>
#include <sched.h>
#include <sys/stat.h>

#include "engine/CImageDecodePool.h"
#include "engine/JpegDisplayDecode.h"
#include "engine/Log.h"
#include "engine/ResourceArchive.h"
#include "engine/TextRender.h"

using namespace drawtest;

namespace {

// ---------------------------------------------------------------- pictures

enum class JpegKind { COLOUR_420, COLOUR_444, GREY, PROGRESSIVE, CMYK };

// A JPEG of a w x h pattern with hard edges and gradients, so that every
// stage of the decoder (upsampling, the inverse transform, colour
// conversion) leaves its mark on the pixels.
Bytes jpeg(int w, int h, JpegKind kind)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    int components = kind == JpegKind::GREY ? 1 : (kind == JpegKind::CMYK ? 4 : 3);
    info.input_components = components;
    info.in_color_space = kind == JpegKind::GREY ? JCS_GRAYSCALE : (kind == JpegKind::CMYK ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    if (kind == JpegKind::COLOUR_444)
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    if (kind == JpegKind::PROGRESSIVE)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(w * components));
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < components; ++c)
                row[static_cast<size_t>(x * components + c)] =
                    static_cast<JSAMPLE>(((x * (c + 3) + y * (7 - c)) ^ ((x / 5 + y / 3) % 2 ? 0x5a : 0)) & 0xff);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + size);
    free(out);
    return bytes;
}

// The picture as the image store has always made it: the image library's
// decoder, then the display conversion, on this thread.
SDL_Surface* storeDecode(const Bytes& bytes, const std::string& name)
{
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    std::string type = name.substr(name.size() - 3);
    SDL_Surface* decoded = IMG_LoadTyped_RW(rw, 1, const_cast<char*>(type.c_str()));
    return CDraw::ConvertSurface(decoded, 1);
}

// ---------------------------------------------------------------- comparing stores

// Everything about a surface that drawing with it depends on.
struct SurfaceShot {
    bool present = false;
    int w = 0, h = 0, pitch = 0;
    Uint32 flags = 0, colorkey = 0;
    Uint32 masks[4] = {0, 0, 0, 0};
    int bits = 0, alpha = 0;
    std::string pixels;
};

SurfaceShot shoot(SDL_Surface* s)
{
    SurfaceShot shot;
    if (!s)
        return shot;
    shot.present = true;
    shot.w = s->w;
    shot.h = s->h;
    shot.pitch = s->pitch;
    shot.flags = s->flags;
    shot.colorkey = s->format->colorkey;
    shot.alpha = s->format->alpha;
    shot.bits = s->format->BitsPerPixel;
    shot.masks[0] = s->format->Rmask;
    shot.masks[1] = s->format->Gmask;
    shot.masks[2] = s->format->Bmask;
    shot.masks[3] = s->format->Amask;
    SDL_LockSurface(s);
    size_t rowBytes = static_cast<size_t>(s->w * s->format->BytesPerPixel);
    for (int y = 0; y < s->h; ++y)
        shot.pixels.append(static_cast<const char*>(s->pixels) + y * s->pitch, rowBytes);
    SDL_UnlockSurface(s);
    return shot;
}

void expectSameSurface(const SurfaceShot& a, const SurfaceShot& b, const std::string& what)
{
    SCOPED_TRACE(what);
    ASSERT_EQ(a.present, b.present);
    EXPECT_EQ(a.w, b.w);
    EXPECT_EQ(a.h, b.h);
    EXPECT_EQ(a.pitch, b.pitch);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.colorkey, b.colorkey);
    EXPECT_EQ(a.alpha, b.alpha);
    EXPECT_EQ(a.bits, b.bits);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(a.masks[i], b.masks[i]) << "mask " << i;
    EXPECT_TRUE(a.pixels == b.pixels) << "pixels differ";
}

struct RecordShot {
    int id, refs, size;
    bool operator==(const RecordShot& o) const { return id == o.id && refs == o.refs && size == o.size; }
};

struct StoreShot {
    std::vector<SurfaceShot> images;
    std::map<std::string, RecordShot> records;
    std::string log;
    int loadCount = 0, loadDrawnWidth = 0;
    SurfaceShot screen;
};

// The real start-up of the image side in the run folder with the given
// decoding threads, and the store it leaves.
StoreShot startUp(int threads)
{
    StoreShot shot;
    std::string run = testsupport::runDir();
    testsupport::ScopedChdir in(run);
    logInit(false);
    initFontSystem("./", "resource5.dat");
    CDraw::SetConfig(nullptr);
    CDraw::SetLoadFromDirectory(0);
    CDraw::SetDecodeThreads(threads);
    {
        CDraw draw;
        const int categories[] = {LOG_DEBUG, LOG_DRAW, LOG_PRELOAD, LOG_TIMING, LOG_MILESTONE};
        for (int c : categories)
            logCategoryOn(c);
        testing::internal::CaptureStdout();
        CDraw::PreloadImages();
        shot.log = testing::internal::GetCapturedStdout();
        for (int c : categories)
            logCategoryOff(c);

        for (int id = 0; id < CDraw::GetImageCount(); ++id) {
            shot.images.push_back(shoot(CDraw::GetImageSurface(id)));
            if (const char* name = CDraw::FindImageName(id)) {
                const CImageRecord* r = CDraw::FindImageRecord(name);
                shot.records[name] = {r->id, r->refs, r->size};
            }
        }
        // Every archive entry, decoded or not.
        ResourceArchiveReader archive;
        if (archive.Open("resource2.dat")) {
            std::string name;
            std::vector<uint8_t> data;
            for (uint32_t i = 0; i < archive.Count() && archive.ReadEntry(i, name, data); ++i)
                if (const CImageRecord* r = CDraw::FindImageRecord(name.c_str()))
                    shot.records[name] = {r->id, r->refs, r->size};
        }
        shot.loadCount = CDraw::GetLoadCount();
        shot.loadDrawnWidth = CDraw::GetLoadDrawnWidth();
        shot.screen = shoot(CDraw::GetScreen());
    }
    shutdownFontSystem();
    CDraw::SetDecodeThreads(-1);
    return shot;
}

// The log with the clock readings of the timing lines blanked.
std::string withoutTimes(const std::string& log)
{
    static const std::regex times("T=\\s*[0-9]+\\s+d=[-+]?[0-9]+\\s*");
    return std::regex_replace(log, times, "T= d= ");
}

bool haveRealResources()
{
    struct stat info;
    return stat((testsupport::runDir() + "/resource2.dat").c_str(), &info) == 0;
}

} // namespace

// ---------------------------------------------------------------- the whole start-up

TEST(DrawDecoding, StartUpLeavesTheSameStoreOnOneThreadAndOnMany)
{
    if (!haveRealResources())
        GTEST_SKIP() << "the generated resources are not in " << testsupport::runDir();
    StoreShot serial = startUp(0);
    StoreShot parallel = startUp(4);

    ASSERT_GT(serial.images.size(), 3000u);
    ASSERT_EQ(serial.images.size(), parallel.images.size());
    for (size_t id = 0; id < serial.images.size(); ++id)
        expectSameSurface(serial.images[id], parallel.images[id], "image #" + std::to_string(id));
    EXPECT_EQ(serial.records.size(), parallel.records.size());
    for (const auto& entry : serial.records) {
        auto other = parallel.records.find(entry.first);
        ASSERT_NE(other, parallel.records.end()) << entry.first;
        EXPECT_TRUE(entry.second == other->second)
            << entry.first << ": id " << entry.second.id << "/" << other->second.id << ", refs "
            << entry.second.refs << "/" << other->second.refs;
    }
    // Same log, line for line, and the same load bar on the same screen.
    EXPECT_GT(serial.log.size(), 100000u);
    EXPECT_TRUE(withoutTimes(serial.log) == withoutTimes(parallel.log));
    EXPECT_EQ(serial.loadCount, parallel.loadCount);
    EXPECT_EQ(serial.loadDrawnWidth, parallel.loadDrawnWidth);
    expectSameSurface(serial.screen, parallel.screen, "screen");
}

// ---------------------------------------------------------------- decoding off the main thread

class DrawDecodePoolTest : public DrawTest {
protected:
    // Each picture decoded the old way and by a pool of workers, compared.
    void expectPoolMatchesStore(const std::vector<std::pair<std::string, Bytes>>& files, int workers)
    {
        std::vector<CImageDecodePool::Source> sources;
        for (const auto& f : files)
            sources.push_back({&f, f.first, f.second.data(), static_cast<int32_t>(f.second.size()), ""});
        CImageDecodePool pool(CDraw::GetScreen(), sources, workers);
        for (const auto& f : files) {
            SDL_Surface* parallel = nullptr;
            ASSERT_TRUE(pool.Take(&f, &parallel)) << f.first;
            SDL_Surface* serial = storeDecode(f.second, f.first);
            expectSameSurface(shoot(serial), shoot(parallel), f.first);
            SDL_FreeSurface(serial);
            SDL_FreeSurface(parallel);
        }
    }
};

TEST_F(DrawDecodePoolTest, JpegPicturesOfEveryKindMatchTheStoresOwnDecoding)
{
    std::vector<std::pair<std::string, Bytes>> files = {
        {"colour.jpg", jpeg(37, 23, JpegKind::COLOUR_420)},
        {"full.jpg", jpeg(64, 48, JpegKind::COLOUR_444)},
        {"grey.jpg", jpeg(17, 9, JpegKind::GREY)},
        {"progressive.jpg", jpeg(41, 30, JpegKind::PROGRESSIVE)},
        {"cmyk.jpg", jpeg(20, 20, JpegKind::CMYK)},
        {"UPPER.JPG", jpeg(8, 8, JpegKind::COLOUR_420)},
        {"onepixel.jpg", jpeg(1, 1, JpegKind::COLOUR_420)},
        {"wide.jpg", jpeg(801, 3, JpegKind::COLOUR_420)},
    };
    expectPoolMatchesStore(files, 3);
    expectPoolMatchesStore(files, 0);
}

TEST_F(DrawDecodePoolTest, PngAndTgaPicturesMatchTheStoresOwnDecoding)
{
    std::vector<std::pair<std::string, Bytes>> files = {
        {"a.png", png(5, 7, 10, 200, 30, 128)},
        {"b.tga", tgaAlphas(9, 4, {0, 1, 127, 128, 254, 255})},
        {"opaque.tga", tga(3, 3, 1, 2, 3, 255)},
        // A JPEG under another type is decoded for what it is, and a PNG
        // named as a JPEG too.
        {"jpeg.png", jpeg(12, 12, JpegKind::COLOUR_420)},
        {"png.jpg", png(4, 4, 9, 8, 7, 6)},
    };
    expectPoolMatchesStore(files, 2);
}

TEST_F(DrawDecodePoolTest, UndecodableDataComesBackEmptyAndEachPictureOnlyOnce)
{
    Bytes good = jpeg(16, 16, JpegKind::COLOUR_420);
    Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    Bytes garbage = {1, 2, 3, 4, 5};
    std::vector<std::pair<std::string, Bytes>> files = {
        {"cut.jpg", truncated}, {"garbage.png", garbage}, {"empty.tga", Bytes()}, {"good.jpg", good}};
    std::vector<CImageDecodePool::Source> sources;
    for (const auto& f : files)
        sources.push_back({&f, f.first, f.second.data(), static_cast<int32_t>(f.second.size()), ""});
    CImageDecodePool pool(CDraw::GetScreen(), sources, 2);
    for (int i = 0; i < 3; ++i) {
        SDL_Surface* s = reinterpret_cast<SDL_Surface*>(1);
        EXPECT_TRUE(pool.Take(&files[i], &s)) << files[i].first;
        EXPECT_EQ(s, nullptr) << files[i].first;
        // The image library refuses it too.
        SDL_Surface* old = storeDecode(files[i].second, files[i].first);
        EXPECT_EQ(old, nullptr) << files[i].first;
    }
    SDL_Surface* s = nullptr;
    ASSERT_TRUE(pool.Take(&files[3], &s));
    ASSERT_NE(s, nullptr);
    SDL_FreeSurface(s);
    // Taken once: the store decodes any later request itself.
    EXPECT_FALSE(pool.Take(&files[3], &s));
    EXPECT_EQ(s, nullptr);
    int unknown = 0;
    EXPECT_FALSE(pool.Take(&unknown, &s));
}

TEST_F(DrawDecodePoolTest, PicturesNobodyTakesAreDroppedWithThePool)
{
    // Many pictures, none taken: the pool must stop its workers and free
    // what they made (checked by the sanitizer builds).
    std::vector<std::pair<std::string, Bytes>> files;
    for (int i = 0; i < 64; ++i)
        files.push_back({"p" + std::to_string(i) + ".png", png(30, 30, static_cast<uint8_t>(i), 0, 0, 255)});
    std::vector<CImageDecodePool::Source> sources;
    for (const auto& f : files)
        sources.push_back({&f, f.first, f.second.data(), static_cast<int32_t>(f.second.size()), ""});
    {
        CImageDecodePool pool(CDraw::GetScreen(), sources, 4);
        SDL_Surface* s = nullptr;
        ASSERT_TRUE(pool.Take(&files[63], &s));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->w, 30);
        SDL_FreeSurface(s);
    }
    SUCCEED();
}

TEST_F(DrawDecodePoolTest, AnUndecodableCatalogueFileEndsStartUpAsItAlwaysHas)
{
    std::ifstream in(testsupport::sourceDir() + "/tests/engine/data/catalogue_files.txt");
    std::vector<std::pair<std::string, Bytes>> entries;
    Bytes picture = png(1, 1, 0, 0, 0, 255);
    std::string name;
    while (std::getline(in, name))
        if (!name.empty())
            entries.push_back({name, name == "star_pulse7.png" ? Bytes{1, 2, 3}
                                                              : (name.substr(name.size() - 3) == "tga"
                                                                     ? tga(1, 1, 0, 0, 0, 255)
                                                                     : picture)});
    ASSERT_GT(entries.size(), 2000u);
    writeArchive(m_dir.file("resource2.dat"), entries);
    for (int threads : {0, 3}) {
        CDraw::SetDecodeThreads(threads);
        EXPECT_FATAL(CDraw::PreloadImages(), "Could not load image:  Unsupported image format");
    }
    CDraw::SetDecodeThreads(-1);
}

TEST_F(DrawDecodePoolTest, OnlySoftwareScreensWithoutPaletteAreUsed)
{
    EXPECT_TRUE(CImageDecodePool::Usable(CDraw::GetScreen()));
    EXPECT_FALSE(CImageDecodePool::Usable(nullptr));
    SDL_Surface* paletted = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
    EXPECT_FALSE(CImageDecodePool::Usable(paletted));
    SDL_FreeSurface(paletted);
    SDL_Surface* sixteen = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 16, 0xf800, 0x07e0, 0x001f, 0);
    EXPECT_TRUE(CImageDecodePool::Usable(sixteen));
    SDL_FreeSurface(sixteen);
}

TEST(DrawDecoding, ThreadsFollowTheProcessorsThisProcessMayUse)
{
    cpu_set_t saved;
    ASSERT_EQ(sched_getaffinity(0, sizeof saved, &saved), 0);
    int allowed = CPU_COUNT(&saved);
    EXPECT_EQ(CImageDecodePool::ThreadsForThisMachine(), allowed);
    std::vector<int> cpus;
    for (int i = 0; i < CPU_SETSIZE; ++i)
        if (CPU_ISSET(i, &saved))
            cpus.push_back(i);
    for (int n = 1; n <= 2 && n <= allowed; ++n) {
        cpu_set_t set;
        CPU_ZERO(&set);
        for (int i = 0; i < n; ++i)
            CPU_SET(cpus[static_cast<size_t>(i)], &set);
        ASSERT_EQ(sched_setaffinity(0, sizeof set, &set), 0);
        EXPECT_EQ(CImageDecodePool::ThreadsForThisMachine(), n);
    }
    ASSERT_EQ(sched_setaffinity(0, sizeof saved, &saved), 0);
}

// ---------------------------------------------------------------- the direct JPEG decoder

TEST(DrawJpegDirect, WritesOnlyThirtyTwoBitFormatsWithoutAlphaOrLoss)
{
    struct Case {
        int bits;
        Uint32 r, g, b, a;
        bool direct;
    };
    const Case cases[] = {{32, 0xff0000, 0xff00, 0xff, 0, true},
                          {32, 0xff, 0xff00, 0xff0000, 0, true},
                          {32, 0xff000000, 0xff0000, 0xff00, 0, true},
                          {32, 0xff00, 0xff0000, 0xff000000, 0, true},
                          // Whole bytes, but not on byte boundaries.
                          {32, 0x0ff00000, 0x000ff000, 0x00000ff0, 0, true},
                          {32, 0xff0000, 0xff00, 0xff, 0xff000000, false},
                          {24, 0xff0000, 0xff00, 0xff, 0, false},
                          {16, 0xf800, 0x07e0, 0x001f, 0, false}};
    Bytes picture = jpeg(19, 11, JpegKind::COLOUR_420);
    for (const Case& c : cases) {
        SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, c.bits, c.r, c.g, c.b, c.a);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(jpegDirectFormat(model->format), c.direct) << c.bits << " bits, red " << c.r;
        SDL_Surface* direct = decodeJpegToFormat(picture.data(), picture.size(), model->format);
        EXPECT_EQ(direct != nullptr, c.direct);
        if (direct) {
            // The image library's picture converted to the same format.
            SDL_RWops* rw = SDL_RWFromConstMem(picture.data(), static_cast<int>(picture.size()));
            SDL_Surface* decoded = IMG_LoadTyped_RW(rw, 1, const_cast<char*>("JPG"));
            ASSERT_NE(decoded, nullptr);
            SDL_Surface* converted = SDL_ConvertSurface(decoded, model->format, SDL_SWSURFACE);
            expectSameSurface(shoot(converted), shoot(direct), "red mask " + std::to_string(c.r));
            SDL_FreeSurface(converted);
            SDL_FreeSurface(decoded);
            SDL_FreeSurface(direct);
        }
        SDL_FreeSurface(model);
    }
    SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xff0000, 0xff00, 0xff, 0);
    EXPECT_EQ(decodeJpegToFormat(picture.data(), 0, model->format), nullptr);
    EXPECT_EQ(decodeJpegToFormat(picture.data(), 2, model->format), nullptr);
    SDL_FreeSurface(model);
}
