// The check that spares the theme lookup must find every icon file the lookup finds.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTemporaryDir>

#include "shell/ThemeIcon.h"

namespace jadeleaf {
namespace {

class ThemeIconTest : public ::testing::Test {
protected:
    ThemeIconTest() : searchPaths(QIcon::themeSearchPaths()), theme(QIcon::themeName()) {
        QIcon::setThemeSearchPaths({icons});
        QIcon::setThemeName("Tiles");
    }
    ~ThemeIconTest() override {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setThemeName(theme);
    }

    void WriteFile(const QString& path, const QByteArray& bytes) {
        ASSERT_TRUE(QDir().mkpath(path.left(path.lastIndexOf('/'))));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void WriteIcon(const QString& path) {
        QPixmap picture(32, 32);
        picture.fill(Qt::red);
        ASSERT_TRUE(QDir().mkpath(path.left(path.lastIndexOf('/'))));
        ASSERT_TRUE(picture.save(path, "PNG"));
        // A new file is seen only by a lookup that starts afresh.
        QIcon::setThemeSearchPaths({icons});
    }

    // The check and Qt's own lookup agree, and the icon given is the theme's exactly when both find it.
    void ExpectFound(bool found) {
        const QIcon fallback(QPixmap(8, 8));
        EXPECT_EQ(ThemeMayHoldIcon("jadeleaf"), found);
        EXPECT_EQ(QIcon::hasThemeIcon("jadeleaf"), found);
        const QIcon icon = ThemeIconOr("jadeleaf", fallback);
        EXPECT_EQ(icon.name(), found ? "jadeleaf" : "");
        if (!found) {
            EXPECT_EQ(icon.cacheKey(), fallback.cacheKey());
        }
    }

    QTemporaryDir directory;
    const QString icons = directory.path() + "/icons";
    const QStringList searchPaths;
    const QString theme;
};

TEST_F(ThemeIconTest, FindsTheIconInTheThemeItsInheritedThemesAndHicolorAndNowhereElse) {
    WriteFile(icons + "/Tiles/index.theme",
              "[Icon Theme]\nName=Tiles\nInherits=Bamboo\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\n");
    WriteFile(icons + "/Bamboo/index.theme",
              "[Icon Theme]\nName=Bamboo\nDirectories=apps/32\n\n[apps/32]\nSize=32\n");
    WriteFile(icons + "/hicolor/index.theme",
              "[Icon Theme]\nName=Hicolor\nDirectories=32x32/apps\n\n[32x32/apps]\nSize=32\n");
    WriteIcon(icons + "/Tiles/48x48/apps/other.png");
    ExpectFound(false);
    // Context then size, in the theme the current one inherits.
    WriteIcon(icons + "/Bamboo/apps/32/jadeleaf.png");
    ExpectFound(true);
    ASSERT_TRUE(QFile::remove(icons + "/Bamboo/apps/32/jadeleaf.png"));
    QIcon::setThemeSearchPaths({icons});
    ExpectFound(false);
    // Size then context, in the theme every lookup ends with.
    WriteIcon(icons + "/hicolor/32x32/apps/jadeleaf.png");
    ExpectFound(true);
}

}  // namespace
}  // namespace jadeleaf
