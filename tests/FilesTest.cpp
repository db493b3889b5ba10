// The file room on real files: the reader's errors and their reasons, and the XDG folders.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "files/FileRead.h"
#include "files/XdgFolders.h"

namespace jadeleaf {
namespace {

// Each case names what the reader must say; a pipe must not make it wait.
TEST(FileRead, ReadsRegularFilesWithinTheLimitAndNamesWhyOthersFail) {
    std::string folder = ::testing::TempDir() + "jadeleaf-files-XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    std::ofstream(folder + "/four") << "1234";
    ASSERT_EQ(::mkfifo((folder + "/fifo").c_str(), 0600), 0);

    std::string bytes;
    EXPECT_EQ(ReadRegularFile(folder + "/four", 4, bytes), 0);
    EXPECT_EQ(bytes, "1234");
    const struct {
        std::string path;
        std::uintmax_t limit;
        int error;
    } cases[] = {
        {folder + "/four", 3, kFileTooLarge},
        {folder + "/missing", 4, ENOENT},
        {folder + "/four/below", 4, ENOTDIR},
        {folder, 4, EISDIR},
        {folder + "/fifo", 4, kNotRegularFile},
        {"/dev/zero", 4, kNotRegularFile},
        // The kernel's files say nothing of their length: not to be trusted.
        {"/proc/self/status", 1 << 20, kFileChanged},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.path);
        bytes = "left over";
        EXPECT_EQ(ReadRegularFile(test.path, test.limit, bytes), test.error);
        EXPECT_EQ(bytes, "");
        if (test.error != kFileTooLarge && test.error != kFileChanged) {
            EXPECT_EQ(CheckRegularFile(test.path), test.error);
        }
    }
    EXPECT_EQ(CheckRegularFile(folder + "/four"), 0);
    EXPECT_TRUE(IsMissingFile(ENOTDIR));
    EXPECT_FALSE(IsMissingFile(EISDIR));

    EXPECT_EQ(FileFailureText("cannot read", "/a b", EACCES), "cannot read \"/a b\": " + std::string(std::strerror(EACCES)));
    EXPECT_EQ(FileErrorText(kFileTooLarge, 64 << 20), "larger than 64 MiB");
    EXPECT_EQ(FileErrorText(kFileTooLarge, 1000), "larger than 1000 bytes");
    EXPECT_EQ(FileErrorText(kNotRegularFile), "not a regular file");
    EXPECT_EQ(FileErrorText(kFileChanged), "changed while it was read");
    std::filesystem::remove_all(folder);
}

// Sets variables for one test and puts back what was there.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(XdgFolders, RelativePathsAreIgnoredAsTheRulesSay) {
    Environment environment;
    environment.Set("HOME", "/home/player/");
    environment.Set("XDG_CONFIG_HOME", "/config//");
    environment.Set("XDG_DATA_HOME", "relative/data");
    environment.Set("XDG_DATA_DIRS", "/opt/share/:relative/share::/usr/share");
    EXPECT_EQ(ConfigHome(), "/config");
    EXPECT_EQ(DataHome(), "/home/player/.local/share");
    EXPECT_EQ(DataDirs(), (std::vector<std::string>{"/opt/share", "/usr/share"}));

    // Without an absolute HOME the user's home folder comes from the
    // password database, never from the current folder.
    environment.Set("HOME", "relative/home");
    environment.Set("XDG_CONFIG_HOME", "relative/config");
    environment.Set("XDG_DATA_DIRS", "");
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(HomeFolder(), user->pw_dir);
    EXPECT_EQ(ConfigHome(), std::string(user->pw_dir) + "/.config");
    EXPECT_EQ(DataHome(), std::string(user->pw_dir) + "/.local/share");
    EXPECT_EQ(DataDirs(), (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
}

}  // namespace
}  // namespace jadeleaf
