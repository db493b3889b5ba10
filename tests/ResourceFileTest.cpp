// The resource file reader and the BMP decoder against damaged, foreign and odd files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "render/BmpDecoder.h"
#include "render/ResourceFile.h"
#include "render/ResourceLibrary.h"
#include "render/SidePicture.h"

namespace jadeleaf::test {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

const Bytes& RealFile() {
    static const Bytes bytes = ReadBytes(JL_RES10_PATH);
    return bytes;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t Get32(const Bytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

std::size_t EntryAt(std::size_t index) { return kResourceHeaderSize + index * kResourceEntrySize; }

// What the game does with a file: read it, then decode every picture. A
// picture either fails or stays within the decoder's bounds.
int ReadLikeTheGame(const Bytes& bytes) {
    ResourceFile file;
    const int result = file.Parse(bytes);
    for (int id = 0; id <= 46; ++id) {
        const QImage image = DecodeBmp(file.Resource(id));
        EXPECT_TRUE(image.isNull() || (image.width() <= kBmpMaxWidth && image.height() <= kBmpMaxHeight));
        if (!file.Valid()) {
            EXPECT_TRUE(image.isNull());
        }
    }
    return result;
}

class ResourceFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(RealFile().size(), 100000u) << JL_RES10_PATH; }
    std::string Path(const char* name) const { return folder.path().toStdString() + "/" + name; }
    QTemporaryDir folder;
};

TEST_F(ResourceFileTest, TheBuiltFileHoldsEveryPicture) {
    ResourceLibrary library;
    int error = -1;
    ASSERT_TRUE(library.LoadFile(JL_RES10_PATH, error));
    EXPECT_EQ(error, 0);
    for (int id = 1; id <= 45; ++id) EXPECT_FALSE(library.Bitmap(id).isNull()) << id;
    EXPECT_TRUE(library.Bitmap(0).isNull());
    EXPECT_TRUE(library.Bitmap(46).isNull());
    library.Release();
    EXPECT_FALSE(library.Loaded());
    EXPECT_TRUE(library.Bitmap(1).isNull());
}

TEST_F(ResourceFileTest, EveryTruncationIsRefused) {
    const Bytes& real = RealFile();
    const std::size_t tableEnd = kResourceHeaderSize + 45 * kResourceEntrySize;
    std::vector<std::size_t> lengths = {0, 1, 8, 15, 16, tableEnd - 1, tableEnd, real.size() - 1};
    for (std::size_t length = 600; length < real.size(); length += 997) lengths.push_back(length);
    for (const std::size_t length : lengths) {
        const Bytes cut(real.begin(), real.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(ReadLikeTheGame(cut), kBadResourceFile) << "cut to " << length;
    }
    // The same through the file system.
    WriteBytes(Path("cut.res"), Bytes(real.begin(), real.begin() + 1000));
    ResourceFile file;
    EXPECT_EQ(file.Read(Path("cut.res")), kBadResourceFile);
}

TEST_F(ResourceFileTest, BitFlipsAreRefusedOrDecodeWithinBounds) {
    const Bytes& real = RealFile();
    std::vector<std::size_t> positions;
    // Every byte of the header and the first entries, some of every later entry, a sample of the pictures.
    const std::size_t tableEnd = kResourceHeaderSize + 45 * kResourceEntrySize;
    for (std::size_t at = 0; at < 16 + 8 * kResourceEntrySize; ++at) positions.push_back(at);
    for (std::size_t at = 16 + 8 * kResourceEntrySize; at < tableEnd; at += 5) positions.push_back(at);
    for (std::size_t at = 600; at < real.size(); at += 997) positions.push_back(at);
    int refused = 0;
    for (const std::size_t at : positions) {
        Bytes flipped = real;
        flipped[at] ^= static_cast<unsigned char>(1u << (at % 8));
        if (ReadLikeTheGame(flipped) != 0) ++refused;
    }
    // Every flip in the tag or the version is caught.
    EXPECT_GE(refused, 12);
}

TEST_F(ResourceFileTest, ForeignAndOversizedFilesAreRefused) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n";
    EXPECT_EQ(ReadLikeTheGame(Bytes(text.begin(), text.end())), kBadResourceFile);
    QByteArray png;
    QBuffer buffer(&png);
    QImage(40, 40, QImage::Format_RGB32).save(&buffer, "PNG");
    EXPECT_EQ(ReadLikeTheGame(Bytes(png.begin(), png.end())), kBadResourceFile);
    ResourceFile file;
    EXPECT_EQ(file.Read("/proc/self/exe"), kBadResourceFile) << "a program";

    // A valid file padded to just above the limit.
    Bytes large = RealFile();
    large.resize(kResourceFileLimit, 0);
    EXPECT_EQ(ReadLikeTheGame(large), 0);
    large.push_back(0);
    WriteBytes(Path("large.res"), large);
    EXPECT_EQ(file.Read(Path("large.res")), kBadResourceFile);
}

TEST_F(ResourceFileTest, TableEntriesAreCheckedAgainstTheFile) {
    const auto patched = [](std::size_t at, std::uint32_t value) {
        Bytes bytes = RealFile();
        Put32(bytes, at, value);
        return ReadLikeTheGame(bytes);
    };
    EXPECT_EQ(patched(12, 46), kBadResourceFile) << "more entries than resources";
    EXPECT_EQ(patched(12, 0xFFFFFFFFu), kBadResourceFile);
    EXPECT_EQ(patched(16, 0), kBadResourceFile) << "identifier 0";
    EXPECT_EQ(patched(16, 2), kBadResourceFile) << "identifier 2 twice";
    EXPECT_EQ(patched(20, 0xFFFFFFF0u), kBadResourceFile) << "offset far beyond the end";
    EXPECT_EQ(patched(20, 4), kBadResourceFile) << "offset inside the table";
    EXPECT_EQ(patched(24, 0xFFFFFFFFu), kBadResourceFile) << "length beyond the end";
    EXPECT_EQ(patched(24, 0), kBadResourceFile) << "empty resource";
    EXPECT_EQ(patched(12, 44), 0) << "a shorter table is a file without resource 45";
}

// Every entry lies inside the file, but its picture is not the one it was
// written with: each is refused as a damaged file.
TEST_F(ResourceFileTest, SwappedOverlappingOrChangedPicturesAreRefused) {
    const Bytes& real = RealFile();
    ASSERT_EQ(ReadLikeTheGame(real), 0);
    const auto swapped = [&](std::size_t from, std::size_t to) {
        Bytes bytes = real;
        std::swap_ranges(bytes.begin() + static_cast<std::ptrdiff_t>(EntryAt(0) + from),
                         bytes.begin() + static_cast<std::ptrdiff_t>(EntryAt(0) + to),
                         bytes.begin() + static_cast<std::ptrdiff_t>(EntryAt(1) + from));
        return ReadLikeTheGame(bytes);
    };
    ASSERT_EQ(Get32(real, EntryAt(0) + 8), Get32(real, EntryAt(1) + 8)) << "faces 1 and 2 are the same size";
    EXPECT_EQ(swapped(4, 12), kBadResourceFile) << "faces 1 and 2 swapped in the table";
    EXPECT_EQ(swapped(4, 16), kBadResourceFile) << "the same, with their checksums";
    EXPECT_EQ(swapped(0, 16), 0) << "two whole entries swapped are the same file";

    // Face 2 made to start inside face 1, with a checksum right for what it then holds.
    Bytes overlapping = real;
    const std::uint32_t offset = Get32(real, EntryAt(0) + 4) + 100;
    const std::uint32_t length = Get32(real, EntryAt(1) + 8);
    Put32(overlapping, EntryAt(1) + 4, offset);
    Put32(overlapping, EntryAt(1) + 12, ResourceChecksum(2, std::span(overlapping).subspan(offset, length)));
    EXPECT_EQ(ReadLikeTheGame(overlapping), kBadResourceFile);

    Bytes flipped = real;
    flipped[Get32(real, EntryAt(9) + 4) + 200] ^= 0x10;
    EXPECT_EQ(ReadLikeTheGame(flipped), kBadResourceFile) << "one pixel byte of face 10";

    Bytes older = real;
    Put32(older, 8, 1);
    EXPECT_EQ(ReadLikeTheGame(older), kBadResourceFile) << "the format before checksums";
}

// A generator with a fault of its own writes a broken picture with a right checksum.
TEST_F(ResourceFileTest, ADamagedPictureFailsAloneInAValidFile) {
    Bytes bytes = RealFile();
    const std::size_t entry45 = EntryAt(44);
    ASSERT_EQ(bytes[entry45], 45);
    const std::size_t at45 = Get32(bytes, entry45 + 4);
    bytes[at45] = 'X';
    Put32(bytes, entry45 + 12, ResourceChecksum(45, std::span(bytes).subspan(at45, Get32(bytes, entry45 + 8))));
    ResourceFile file;
    ASSERT_EQ(file.Parse(bytes), 0);
    EXPECT_TRUE(DecodeBmp(file.Resource(45)).isNull());
    EXPECT_FALSE(DecodeBmp(file.Resource(44)).isNull());
}

TEST_F(ResourceFileTest, OnlyRegularFilesAreOpened) {
    ResourceFile file;
    EXPECT_EQ(file.Read(Path("missing.res")), 2);
    EXPECT_EQ(file.Read(folder.path().toStdString()), 21);
    ASSERT_EQ(mkfifo(Path("fifo.res").c_str(), 0600), 0);
    EXPECT_EQ(file.Read(Path("fifo.res")), kBadResourceFile) << "and it did not block";
    ASSERT_EQ(symlink("/dev/zero", Path("zero.res").c_str()), 0);
    EXPECT_EQ(file.Read(Path("zero.res")), kBadResourceFile);
    ASSERT_EQ(symlink(Path("nowhere.res").c_str(), Path("dangling.res").c_str()), 0);
    EXPECT_EQ(file.Read(Path("dangling.res")), 2);
    ASSERT_EQ(symlink(JL_RES10_PATH, Path("link.res").c_str()), 0);
    EXPECT_EQ(file.Read(Path("link.res")), 0) << "a link to the real file is followed";
    EXPECT_TRUE(file.Valid());
}

// Root reads any file, so as root the read runs in a child that has become
// the unprivileged user first.
TEST_F(ResourceFileTest, AFileWithoutReadPermissionGivesErrorThirteen) {
    WriteBytes(Path("locked.res"), RealFile());
    ASSERT_EQ(chmod(Path("locked.res").c_str(), 0), 0);
    ASSERT_EQ(chmod(folder.path().toStdString().c_str(), 0755), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
        ResourceFile locked;
        _exit(locked.Read(Path("locked.res")));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 13);
}

TEST(ResourceSearch, BesideTheProgramThenThePrefixThenTheDataFolders) {
    setenv("XDG_DATA_HOME", "/home/player/data", 1);
    setenv("XDG_DATA_DIRS", "relative/ignored:/opt/share::/usr/share", 1);
    const std::vector<std::string> paths = ResourceLibrary::SearchPaths();
    ASSERT_EQ(paths.size(), 6u);
    const std::string folder = paths[0].substr(0, paths[0].rfind('/'));
    EXPECT_EQ(paths[0], folder + "/jl_res10.res");
    EXPECT_EQ(paths[1], folder + "/../share/jadeleaf/jl_res10.res");
    EXPECT_EQ(paths[2], folder + "/../share/games/jadeleaf/jl_res10.res");
    EXPECT_EQ(paths[3], "/home/player/data/jadeleaf/jl_res10.res");
    EXPECT_EQ(paths[4], "/opt/share/jadeleaf/jl_res10.res");
    EXPECT_EQ(paths[5], "/usr/share/jadeleaf/jl_res10.res");
}

// A relative data folder is ignored as the XDG rules say, and the one below
// the home folder takes its place.
TEST(ResourceSearch, RelativeDataFoldersAreIgnored) {
    const char* home = std::getenv("HOME");
    const std::string oldHome = home != nullptr ? home : "";
    setenv("HOME", "/home/player", 1);
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("XDG_DATA_DIRS", "relative/share", 1);
    const std::vector<std::string> paths = ResourceLibrary::SearchPaths();
    setenv("HOME", oldHome.c_str(), 1);
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[3], "/home/player/.local/share/jadeleaf/jl_res10.res");
}

// A 2 x 2 picture of 8 bits per pixel with a two-colour palette.
Bytes SmallBmp() {
    Bytes bytes(14 + 40 + 8 + 8, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put32(bytes, 10, 14 + 40 + 8);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, 2);
    Put32(bytes, 22, 2);
    bytes[26] = 1;
    bytes[28] = 8;
    Put32(bytes, 46, 2);
    Put32(bytes, 54, 0x00FFFFFF);  // white
    Put32(bytes, 58, 0x00FF0000);  // red: stored blue, green, red, 0
    bytes[62] = 1;                 // bottom row: red, white
    bytes[67] = 1;                 // top row: white, red
    return bytes;
}

TEST(BmpDecoder, DecodesRowsBottomUpAndTopDown) {
    Bytes bytes = SmallBmp();
    QImage image = DecodeBmp(bytes);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    Put32(bytes, 22, static_cast<std::uint32_t>(-2));
    image = DecodeBmp(bytes);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(BmpDecoder, RefusesWhatItCannotCheck) {
    const auto patched = [](std::size_t at, std::uint32_t value) {
        Bytes bytes = SmallBmp();
        Put32(bytes, at, value);
        return DecodeBmp(bytes).isNull();
    };
    EXPECT_TRUE(patched(18, 100000)) << "too wide";
    EXPECT_TRUE(patched(22, 0x80000000u)) << "the lowest height has no positive twin";
    EXPECT_TRUE(patched(22, 0)) << "no rows";
    EXPECT_TRUE(patched(22, 3)) << "more rows than bytes";
    EXPECT_TRUE(patched(10, 0xFFFFFFF0u)) << "pixels beyond the end";
    EXPECT_TRUE(patched(10, 20)) << "pixels inside the header";
    EXPECT_TRUE(patched(14, 0xFFFFFFF0u)) << "header larger than the file";
    EXPECT_TRUE(patched(30, 1)) << "compressed";
    EXPECT_TRUE(patched(46, 257)) << "more colours than 8 bits can index";
    EXPECT_TRUE(patched(62, 7)) << "an index beyond the palette";
    Bytes sixteen = SmallBmp();
    sixteen[28] = 16;
    EXPECT_TRUE(DecodeBmp(sixteen).isNull());
    EXPECT_TRUE(DecodeBmp({}).isNull());
    EXPECT_TRUE(patched(46, 0)) << "no count means 256 colours, more than the file holds";
}

}  // namespace
}  // namespace jadeleaf::test

namespace jadeleaf {
namespace {

std::string PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// The player's picture: whatever Qt reads, from a regular file, never a file
// that would block the window or keep the decoder busy for seconds.
TEST(SidePicture, ReadsSoundPicturesFromRegularFilesOnly) {
    QTemporaryDir folder;
    const std::string root = folder.path().toStdString();
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(0x123456u);
    ASSERT_TRUE(image.save(QString::fromStdString(root + "/side.bmp"), "BMP"));
    QImage picture;
    ASSERT_TRUE(LoadSidePicture(root + "/side.bmp", picture));
    EXPECT_EQ(picture.size(), QSize(30, 20));

    // A text chunk that claims 973 MB in a file of a few hundred bytes.
    std::string png = PngOf(image);
    ASSERT_TRUE(DecodeSidePicture(png, picture));
    const std::size_t end = png.rfind("IEND") - 4;
    static constexpr char kHugeText[] = "\x3a\x00\x00\x00tEXtComment\0x";
    png.insert(end, std::string(kHugeText, sizeof kHugeText - 1));
    EXPECT_FALSE(DecodeSidePicture(png, picture));

    ASSERT_EQ(mkfifo((root + "/pipe").c_str(), 0600), 0);
    EXPECT_FALSE(LoadSidePicture(root + "/pipe", picture)) << "refused without blocking";
    EXPECT_FALSE(LoadSidePicture(root, picture));
    EXPECT_FALSE(LoadSidePicture(root + "/missing.bmp", picture));
    std::ofstream(root + "/notes.bmp") << "not a picture";
    EXPECT_FALSE(LoadSidePicture(root + "/notes.bmp", picture));
}

}  // namespace
}  // namespace jadeleaf
