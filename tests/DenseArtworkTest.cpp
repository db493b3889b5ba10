// The pictures drawn at twice and three times their size: in the resource file and among the program's own.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/ResourceFile.h"
#include "render/ResourceLibrary.h"
#include "resources/ProgramArtImage.h"

namespace jadeleaf {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes RealFile() {
    std::ifstream file(JL_RES10_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t Get32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// Where the denser pictures' table begins: after the last byte of the small pictures.
std::size_t DenseSetStart(const Bytes& bytes) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < Get32(bytes, 12); ++i) {
        const std::size_t at = kResourceHeaderSize + i * kResourceEntrySize;
        end = std::max<std::size_t>(end, Get32(bytes, at + 4) + Get32(bytes, at + 8));
    }
    return end;
}

// The table entry of a denser picture.
std::size_t DenseEntry(const Bytes& bytes, int id) {
    const std::size_t table = DenseSetStart(bytes) + kDenseSetTag.size() + 4;
    for (std::size_t at = table; at < bytes.size(); at += kResourceEntrySize)
        if (Get32(bytes, at) == static_cast<std::uint32_t>(id)) return at;
    std::abort();
}

int QuickDifference(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

class DenseArtworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        int error = 0;
        ASSERT_TRUE(library.LoadFile(JL_RES10_PATH, error)) << error;
    }

    // Loads `bytes` from a real file, as the game would; returns the error code.
    int LoadVariant(const Bytes& bytes, ResourceLibrary& variant) {
        const std::string path = folder.path().toStdString() + "/jl_res10.res";
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        int error = 0;
        variant.LoadFile(path, error);
        return error;
    }

    ResourceLibrary library;
    QTemporaryDir folder;
};

// The pictures at their usual size are the same bytes as before there were denser ones: what a
// player sees at 100% on an ordinary screen does not change.
TEST_F(DenseArtworkTest, TheSmallPicturesKeepTheirBytes) {
    const Bytes real = RealFile();
    EXPECT_EQ(ResourceChecksum(0, std::span(real).first(DenseSetStart(real))), 0x2DC76E72u);
    const std::pair<ArtBlob, std::uint32_t> pictures[] = {
        {WindowIconBitmap(), 0xDD45D9ADu}, {InfoButtonBitmap(), 0x9F5A90DDu}, {EmblemBitmap(), 0x4C18F338u},
        {QuickInfoTitleBitmap(), 0xBBF39549u}, {PlaceholderTileBitmap(), 0x9CBA2D0Cu},
    };
    for (const auto& [blob, checksum] : pictures) EXPECT_EQ(ResourceChecksum(0, {blob.data, blob.size}), checksum);
}

// Each denser picture is its own drawing of the same shapes: smoothed back to the small size it
// comes close to the small picture, yet it is not the small picture's pixels repeated.
TEST_F(DenseArtworkTest, EveryPictureIsDrawnAgainAtTwiceAndThreeTimesItsSize) {
    for (int id = kFirstResourceId; id <= kLastResourceId; ++id) {
        const QImage small = library.Bitmap(id).convertToFormat(QImage::Format_RGB32);
        for (const int density : {2, 3}) {
            const QImage dense = library.Bitmap(id, density);
            ASSERT_EQ(dense.size(), small.size() * density) << id << " at " << density;
            const QImage blocky = small.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            const QImage reduced = dense.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            long differing = 0;
            for (int y = 0; y < dense.height(); ++y)
                for (int x = 0; x < dense.width(); ++x) differing += dense.pixel(x, y) != blocky.pixel(x, y) ? 1 : 0;
            long difference = 0;
            for (int y = 0; y < small.height(); ++y)
                for (int x = 0; x < small.width(); ++x) difference += QuickDifference(small.pixel(x, y), reduced.pixel(x, y));
            EXPECT_GE(differing * 50, static_cast<long>(dense.width()) * dense.height())
                << id << " at " << density << " is mostly the small picture enlarged";
            // About 70 at most, where the smooth drawing is the most unlike the stepped one; far
            // more for a wrong picture: two faces in a row differ by 50 to 340.
            EXPECT_LE(difference, 80L * small.width() * small.height()) << id << " at " << density << " lost its shapes";
        }
    }
    EXPECT_TRUE(library.Bitmap(1, 4).isNull());
    EXPECT_TRUE(library.Bitmap(46, 2).isNull());
    EXPECT_TRUE(library.Bitmap(0, 3).isNull());
}

// The white that the game takes as transparent stays exactly where it is in the small pictures:
// the corners of the frame, its face area, and the gaps between the sure-bet stripes.
TEST_F(DenseArtworkTest, TransparentWhiteKeepsItsPlaces) {
    for (const int id : {43, 45}) {
        const QImage small = library.Bitmap(id);
        for (const int density : {2, 3}) {
            const QImage dense = library.Bitmap(id, density);
            int agreeing = 0;
            for (int y = 0; y < small.height(); ++y) {
                for (int x = 0; x < small.width(); ++x) {
                    // Most of each small pixel's block is white where it is white.
                    int whites = 0;
                    for (int dy = 0; dy < density; ++dy)
                        for (int dx = 0; dx < density; ++dx)
                            whites += (dense.pixel(x * density + dx, y * density + dy) & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
                    agreeing += (whites * 2 > density * density) == ((small.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) ? 1 : 0;
                }
            }
            EXPECT_GE(agreeing * 100, small.width() * small.height() * 97) << id << " at " << density;
        }
    }
}

TEST_F(DenseArtworkTest, AFileWithoutTheDenserPicturesStillGivesTheSmallOnes) {
    const Bytes real = RealFile();
    ResourceLibrary older;
    ASSERT_EQ(LoadVariant(Bytes(real.begin(), real.begin() + static_cast<std::ptrdiff_t>(DenseSetStart(real))), older), 0);
    for (int id = kFirstResourceId; id <= kLastResourceId; ++id) {
        EXPECT_FALSE(older.Bitmap(id).isNull()) << id;
        EXPECT_TRUE(older.Bitmap(id, 2).isNull()) << id;
        EXPECT_TRUE(older.Bitmap(id, 3).isNull()) << id;
    }
    EXPECT_EQ(older.Bitmap(7, 1), library.Bitmap(7));

    // Cut inside the denser pictures' tag or table: a damaged file, not an older one.
    for (const std::size_t extra : {std::size_t{3}, kDenseSetTag.size() + 6}) {
        ResourceLibrary cut;
        const auto end = static_cast<std::ptrdiff_t>(DenseSetStart(real) + extra);
        EXPECT_EQ(LoadVariant(Bytes(real.begin(), real.begin() + end), cut), kBadResourceFile) << extra;
    }
}

// A denser picture's bytes are checked as the small ones' are: a changed byte makes the whole file
// damaged, with the message of any damaged file. A picture written wrong with a right checksum
// fails alone, and the game then draws from the small picture.
TEST_F(DenseArtworkTest, ADamagedDenserPictureIsCaughtLikeAnyOther) {
    Bytes bytes = RealFile();
    const std::size_t entry = DenseEntry(bytes, DenseResourceId(12, 2));
    const std::size_t offset = Get32(bytes, entry + 4);
    const std::size_t length = Get32(bytes, entry + 8);
    bytes[offset + length / 2] ^= 0x20;
    ResourceLibrary damaged;
    EXPECT_EQ(LoadVariant(bytes, damaged), kBadResourceFile);
    EXPECT_NE(damaged.FailureDetail(kBadResourceFile).find("damaged, or not a resource file"), std::string::npos);

    Put32(bytes, entry + 12, ResourceChecksum(DenseResourceId(12, 2), std::span(bytes).subspan(offset, length)));
    ResourceLibrary faulty;
    ASSERT_EQ(LoadVariant(bytes, faulty), 0);
    EXPECT_TRUE(faulty.Bitmap(12, 2).isNull());
    EXPECT_EQ(faulty.Bitmap(12, 3), library.Bitmap(12, 3));
    EXPECT_EQ(faulty.Bitmap(12), library.Bitmap(12));

    // A sound picture of the wrong size under a denser number is not used either.
    Bytes swapped = RealFile();
    const std::size_t startup = DenseEntry(swapped, DenseResourceId(44, 3));
    const std::size_t circle = DenseEntry(swapped, DenseResourceId(1, 3));
    for (const auto& [at, id] : {std::pair{startup, DenseResourceId(1, 3)}, std::pair{circle, DenseResourceId(44, 3)}}) {
        Put32(swapped, at, static_cast<std::uint32_t>(id));
        Put32(swapped, at + 12, ResourceChecksum(id, std::span(swapped).subspan(Get32(swapped, at + 4), Get32(swapped, at + 8))));
    }
    ResourceLibrary mixed;
    ASSERT_EQ(LoadVariant(swapped, mixed), 0);
    EXPECT_TRUE(mixed.Bitmap(1, 3).isNull());
    EXPECT_TRUE(mixed.Bitmap(44, 3).isNull());
    EXPECT_FALSE(mixed.Bitmap(44, 2).isNull());
}

// On a screen of ratio 1 the program's pictures are today's, pixel for pixel; on denser screens
// they are the denser drawings, marked so that Qt shows them at the same size.
TEST(DenseProgramArtTest, PicturesFollowTheScreensPixelRatio) {
    // Icons are made of pixmaps, which need the application.
    int argc = 1;
    char name[] = "artwork_tests";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    for (const ArtBlob blob : {WindowIconBitmap(), InfoButtonBitmap(), EmblemBitmap(), QuickInfoTitleBitmap(),
                               PlaceholderTileBitmap()}) {
        const QImage small = ArtImage(blob);
        const QImage same = ArtImage(blob, 1.0);
        EXPECT_EQ(same, small);
        EXPECT_EQ(same.devicePixelRatio(), 1.0);
        for (const auto& [ratio, density] : {std::pair{1.5, 2}, std::pair{2.0, 2}, std::pair{3.0, 3}}) {
            const QImage dense = ArtImage(blob, ratio);
            EXPECT_EQ(dense.devicePixelRatio(), density) << small.width() << " at " << ratio;
            EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(small.size())) << small.width() << " at " << ratio;
            EXPECT_NE(dense.convertToFormat(QImage::Format_RGB32),
                      small.scaled(dense.size()).convertToFormat(QImage::Format_RGB32));
        }
        const QImage fromIcon = ArtIcon(blob).pixmap(small.size(), 2.0).toImage();
        EXPECT_EQ(fromIcon.convertToFormat(QImage::Format_RGB32), ArtImage(blob, 2.0).convertToFormat(QImage::Format_RGB32));
    }
}

}  // namespace
}  // namespace jadeleaf
