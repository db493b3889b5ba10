// The resource file and the program's pictures, loaded and decoded as the game does.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "resources/ProgramArt.h"
#include "render/BmpDecoder.h"
#include "render/ResourceFile.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kFaceFill = 0xCECECE;
constexpr int kTileWidth = 37;
constexpr int kTileHeight = 47;

const jadeleaf::ResourceFile& File() {
    static const jadeleaf::ResourceFile* file = [] {
        auto* read = new jadeleaf::ResourceFile;
        read->Read(JL_RES10_PATH);
        return read;
    }();
    return *file;
}

QImage Decode(const unsigned char* data, std::size_t size) {
    return QImage::fromData(data, static_cast<int>(size), "BMP").convertToFormat(QImage::Format_RGB32);
}

QImage Resource(int id) { return jadeleaf::DecodeBmp(File().Resource(id)); }

QImage Decode(jadeleaf::ArtBlob blob) { return Decode(blob.data, blob.size); }

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

int CountColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(At(image, x, y));
    return static_cast<int>(colours.size());
}

int CountWhite(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += At(image, x, y) == kWhite ? 1 : 0;
    return count;
}

// The transparent corners of a tile picture: above its left edge and right of its bottom edge.
bool InCornerTriangle(int x, int y) { return x + y <= 3 || x + y >= (kTileWidth - 1) + (kTileHeight - 1) - 3; }

bool InFaceRect(int x, int y) { return x >= 6 && x < 6 + 29 && y >= 2 && y < 2 + 39; }

class ArtworkLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(File().Valid()) << "cannot read " << JL_RES10_PATH; }
};

TEST_F(ArtworkLibraryTest, EveryBitmapIsACompleteFileThatDecodesAtItsSize) {
    for (int id = 1; id <= 45; ++id) {
        const std::span<const unsigned char> entry = File().Resource(id);
        ASSERT_GT(entry.size(), 54u) << "bitmap " << id;
        // The file header names the whole file's length, which must be all the entry holds.
        const std::uint32_t fileSize = entry[2] | entry[3] << 8 | entry[4] << 16 | static_cast<std::uint32_t>(entry[5]) << 24;
        EXPECT_EQ(entry[0], 'B');
        EXPECT_EQ(entry[1], 'M');
        EXPECT_EQ(fileSize, entry.size()) << "bitmap " << id;
        // Qt's own decoder reads it as the game's does.
        EXPECT_EQ(Decode(entry.data(), entry.size()), Resource(id)) << "bitmap " << id;
        const QImage image = Resource(id);
        ASSERT_FALSE(image.isNull()) << "bitmap " << id;
        if (id <= 42 || id == 45) {
            EXPECT_EQ(image.size(), QSize(29, 39)) << "bitmap " << id;
        } else if (id == 43) {
            EXPECT_EQ(image.size(), QSize(kTileWidth, kTileHeight));
        } else {
            EXPECT_LE(image.width(), 531);
            EXPECT_LE(image.height(), 380);
        }
    }
}

TEST_F(ArtworkLibraryTest, FacesAreDrawingsOnWhite) {
    for (int face = 1; face <= 42; ++face) {
        const QImage image = Resource(face);
        const int area = image.width() * image.height();
        const int white = CountWhite(image);
        EXPECT_GE(white * 5, area) << "face " << face << " leaves too little background";
        EXPECT_GE((area - white) * 12, area) << "face " << face << " is almost blank";
    }
}

TEST_F(ArtworkLibraryTest, EveryTwoFacesDifferClearly) {
    std::vector<QImage> faces;
    for (int face = 1; face <= 42; ++face) faces.push_back(Resource(face));
    for (std::size_t a = 0; a < faces.size(); ++a) {
        for (std::size_t b = a + 1; b < faces.size(); ++b) {
            int differing = 0;
            for (int y = 0; y < 39; ++y)
                for (int x = 0; x < 29; ++x) differing += At(faces[a], x, y) != At(faces[b], x, y) ? 1 : 0;
            // More than a 7 x 7 block: the closest pair, characters three and five, differs in 56.
            EXPECT_GE(differing, 50) << "faces " << a + 1 << " and " << b + 1;
        }
    }
}

TEST_F(ArtworkLibraryTest, FrameIsWhiteExactlyInItsCornersAndFaceArea) {
    const QImage frame = Resource(43);
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            // Any other white pixel would let the table show through a finished tile.
            const bool white = InCornerTriangle(x, y) || InFaceRect(x, y);
            EXPECT_EQ(At(frame, x, y) == kWhite, white) << "frame pixel " << x << ", " << y;
        }
    }
    // The face area's outline is darker than the 3-D edge beside it.
    EXPECT_LT(qGray(frame.pixel(4, 20)), qGray(frame.pixel(3, 20)));
    EXPECT_LT(qGray(frame.pixel(20, 42)), qGray(frame.pixel(20, 43)));
}

TEST_F(ArtworkLibraryTest, SureBetPatternIsDiagonalStripesOnWhite) {
    const QImage pattern = Resource(45);
    const int area = 29 * 39;
    const int coloured = area - CountWhite(pattern);
    EXPECT_GE(coloured * 6, area);
    EXPECT_LE(coloured * 2, area);
    for (int y = 1; y < 39; ++y)
        for (int x = 0; x + 1 < 29; ++x)
            EXPECT_EQ(At(pattern, x, y) == kWhite, At(pattern, x + 1, y - 1) == kWhite) << x << ", " << y;
}

TEST_F(ArtworkLibraryTest, StartupPictureIsAPictureNotAFill) {
    const QImage startup = Resource(44);
    EXPECT_GE(startup.width(), 200);
    EXPECT_GE(startup.height(), 120);
    EXPECT_GE(CountColours(startup), 16);
}

TEST(ArtworkProgramTest, PicturesDecodeAtTheirSizes) {
    struct Expected {
        const char* name;
        jadeleaf::ArtBlob blob;
        QSize size;
        int maxColours;
    };
    const Expected pictures[] = {
        {"window icon", jadeleaf::WindowIconBitmap(), {32, 32}, 16},
        {"information button", jadeleaf::InfoButtonBitmap(), {16, 16}, 16},
        {"emblem", jadeleaf::EmblemBitmap(), {116, 110}, 256},
        {"quick information title", jadeleaf::QuickInfoTitleBitmap(), {322, 27}, 16},
        {"placeholder tile", jadeleaf::PlaceholderTileBitmap(), {kTileWidth, kTileHeight}, 256},
    };
    for (const Expected& picture : pictures) {
        const QImage image = Decode(picture.blob);
        ASSERT_FALSE(image.isNull()) << picture.name;
        EXPECT_EQ(image.size(), picture.size) << picture.name;
        EXPECT_LE(CountColours(image), picture.maxColours) << picture.name;
        EXPECT_GE(CountColours(image), 3) << picture.name;
    }
}

TEST(ArtworkProgramTest, TitleIsGreenLettersOnWhite) {
    const QImage title = Decode(jadeleaf::QuickInfoTitleBitmap());
    EXPECT_EQ(At(title, 0, 0), kWhite);
    int green = 0;
    for (int y = 0; y < title.height(); ++y) {
        for (int x = 0; x < title.width(); ++x) {
            const QColor colour = title.pixelColor(x, y);
            green += colour.green() > colour.red() + 40 && colour.green() > colour.blue() + 40 ? 1 : 0;
        }
    }
    EXPECT_GE(green, 400);
}

TEST(ArtworkProgramTest, PlaceholderIsABlankGreyTileShapedLikeTheFrame) {
    const QImage tile = Decode(jadeleaf::PlaceholderTileBitmap());
    for (int y = 0; y < kTileHeight; ++y) {
        for (int x = 0; x < kTileWidth; ++x) {
            EXPECT_EQ(At(tile, x, y) == kWhite, InCornerTriangle(x, y)) << x << ", " << y;
            if (InFaceRect(x, y)) {
                EXPECT_EQ(At(tile, x, y), kFaceFill) << x << ", " << y;
            }
        }
    }
    // The edges at the left and at the bottom are darker than the face.
    EXPECT_LT(qGray(tile.pixel(1, 20)), qGray(kFaceFill));
    EXPECT_LT(qGray(tile.pixel(20, 45)), qGray(kFaceFill));
}

struct GeneratorRun {
    int status;
    std::string output;
};

GeneratorRun RunGenerator(const std::string& arguments) {
    const std::string command = std::string("'") + JL_ARTGEN_PATH + "' " + arguments + " 2>&1";
    GeneratorRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class ArtworkGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        scratch = std::filesystem::path(::testing::TempDir()) /
                  ("jl_artgen-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(scratch);
        std::filesystem::create_directories(scratch);
    }
    void TearDown() override { std::filesystem::remove_all(scratch); }

    std::filesystem::path scratch;
};

TEST_F(ArtworkGeneratorTest, WritesTheSameBytesOnEveryRun) {
    const auto run = [&](const std::string& folder) {
        return RunGenerator("--out '" + (scratch / folder).string() + "' --res '" + (scratch / folder / "jl_res10.res").string() + "'");
    };
    const GeneratorRun first = run("one");
    const GeneratorRun second = run("two");
    ASSERT_EQ(first.status, 0) << first.output;
    ASSERT_EQ(second.status, 0) << second.output;
    for (const char* name : {"jl_res10.res", "ProgramArtData.cpp"}) {
        const std::string one = ReadFile(scratch / "one" / name);
        EXPECT_GT(one.size(), 10000u) << name;
        EXPECT_TRUE(one == ReadFile(scratch / "two" / name)) << name << " differs between two runs";
    }
    // Only the two files are left behind: the temporary files were renamed into place.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch / "one"), {}), 2);
}

TEST_F(ArtworkGeneratorTest, ReportsBadArgumentsAndUnwritableFolders) {
    const GeneratorRun unknown = RunGenerator("--colour");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unexpected argument '--colour'"), std::string::npos) << unknown.output;
    EXPECT_NE(unknown.output.find("usage: jl_artgen"), std::string::npos);

    const GeneratorRun missing = RunGenerator("--out");
    EXPECT_EQ(missing.status, 2);
    for (const char* number : {"0", "46", "4x", "-1"}) {
        const GeneratorRun wrong = RunGenerator(std::string("--res x.res --without ") + number);
        EXPECT_EQ(wrong.status, 2) << number;
        EXPECT_NE(wrong.output.find("not a resource number"), std::string::npos) << wrong.output;
    }

    // A folder cannot be made below a plain file.
    std::ofstream(scratch / "plain") << "keep me";
    const GeneratorRun blocked = RunGenerator("--out '" + (scratch / "plain" / "art").string() + "'");
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.output.find("jl_artgen: cannot create"), std::string::npos) << blocked.output;
    EXPECT_EQ(ReadFile(scratch / "plain"), "keep me");
}

TEST_F(ArtworkGeneratorTest, LeavesOutTheResourcesAskedFor) {
    const std::filesystem::path path = scratch / "variant.res";
    const GeneratorRun run = RunGenerator("--res '" + path.string() + "' --without 45 --without 3");
    ASSERT_EQ(run.status, 0) << run.output;
    jadeleaf::ResourceFile variant;
    ASSERT_EQ(variant.Read(path.string()), 0);
    for (int id = 1; id <= 45; ++id) EXPECT_EQ(variant.Resource(id).empty(), id == 3 || id == 45) << id;
}

TEST_F(ArtworkGeneratorTest, WritesAContactSheet) {
    const std::filesystem::path sheet = scratch / "sheet.png";
    const GeneratorRun run = RunGenerator("--sheet '" + sheet.string() + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const QImage image(QString::fromStdString(sheet.string()));
    ASSERT_FALSE(image.isNull());
    // Room for the 42 tiles four times enlarged, seven in a row.
    EXPECT_GE(image.width(), 7 * kTileWidth * 4);
    EXPECT_GE(image.height(), 6 * kTileHeight * 4);
}

TEST_F(ArtworkGeneratorTest, WritesTheDesktopIconsAtEveryThemeSize) {
    const GeneratorRun run = RunGenerator("--icons '" + (scratch / "icons").string() + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const QImage windowIcon = Decode(jadeleaf::WindowIconBitmap());
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(QString::fromStdString((scratch / "icons" / ("jadeleaf-" + std::to_string(size) + ".png")).string()));
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        ASSERT_TRUE(icon.hasAlphaChannel()) << size;
        // The window icon's white is the clear background; its tile stays opaque.
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size * 18 / 32, size / 2)), 255) << size;
    }
    // At 32 pixels the icon is the window icon itself.
    const QImage icon32(QString::fromStdString((scratch / "icons" / "jadeleaf-32.png").string()));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (At(windowIcon, x, y) == kWhite) continue;
            ASSERT_EQ(icon32.pixel(x, y), 0xFF000000u | At(windowIcon, x, y)) << x << "," << y;
        }
    }

    const std::string svg = ReadFile(scratch / "icons" / "jadeleaf.svg");
    EXPECT_NE(svg.find("viewBox=\"0 0 32 32\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#D4231C\""), std::string::npos) << "the red character is missing";
    EXPECT_EQ(svg.find("fill=\"#FFFFFF\""), std::string::npos) << "white is the background, not a shape";
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

// From 48 pixels up the icons come from the tile drawn at that size, not from the 32-pixel
// picture's blocks: a dense desktop shows them smooth.
TEST_F(ArtworkGeneratorTest, LargeDesktopIconsAreDrawnAtTheirSize) {
    const GeneratorRun run = RunGenerator("--icons '" + (scratch / "icons").string() + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const auto icon = [&](int size) {
        return QImage(QString::fromStdString((scratch / "icons" / ("jadeleaf-" + std::to_string(size) + ".png")).string()))
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage blocky = icon(32).scaled(256, 256, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage largest = icon(256);
    int differing = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) differing += largest.pixel(x, y) != blocky.pixel(x, y) ? 1 : 0;
    EXPECT_GE(differing, 256 * 256 / 50);
    // Smooth edges: some pixels of the tile's outline are partly transparent.
    const QImage middle = icon(64);
    int partial = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) partial += qAlpha(middle.pixel(x, y)) % 255 != 0 ? 1 : 0;
    EXPECT_GE(partial, 20);
}

}  // namespace
