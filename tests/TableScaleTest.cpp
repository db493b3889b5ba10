// The table drawn larger: presses at every tile's centre and edges hit the
// tile they hit at 100%, on the very window pixels that show that tile.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <vector>

#include "framework/ModalService.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "shell/TableAccessibility.h"
#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

class TableScaleTest : public ShellFixture {
protected:
    void PlayFirstGame(std::function<void()> play) {
        Create(QSize(1920, 1080));
        form->resize(1918, 1000);
        StartUp();
        clock.steps.push_back(std::move(play));
        clock.Advance(400);
    }

    // The client area as the screen shows it, without the panels above it.
    QImage Screen() {
        QWidget* area = form->ClientArea();
        QImage shown(area->size(), QImage::Format_RGB32);
        area->render(&shown, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return shown;
    }

    // The bounding rectangle of the pixels that differ.
    static QRect ChangedArea(const QImage& before, const QImage& after) {
        QRect changed;
        for (int y = 0; y < before.height(); ++y) {
            const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
            const auto* now = reinterpret_cast<const QRgb*>(after.constScanLine(y));
            for (int x = 0; x < before.width(); ++x) {
                if (was[x] != now[x]) changed |= QRect(x, y, 1, 1);
            }
        }
        return changed;
    }

    static bool Shows(const QImage& picture, const QRect& rect, QRgb colour) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if ((picture.pixel(x, y) & 0xFFFFFFu) == colour) return true;
            }
        }
        return false;
    }

    // The share of the pixels of `rect` at twice the scale that are not
    // those of the same part at the actual size, each pixel doubled.
    static double NotDoubled(const QImage& actual, const QImage& doubled, const QRect& rect) {
        const QImage enlarged = actual.copy(rect).scaled(rect.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage shown = doubled.copy(QRect(rect.topLeft() * 2, rect.size() * 2));
        int differing = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) differing += shown.pixel(x, y) != enlarged.pixel(x, y) ? 1 : 0;
        }
        return static_cast<double>(differing) / (shown.width() * shown.height());
    }

    // The centre and the four corners of the tile's hit rectangle, in table pixels.
    static std::vector<QPoint> Landmarks(const TileRecord& tile) {
        const int left = tile.x + kTableLeft;
        const int top = tile.y + kTableTop;
        const int right = left + kHorizontalStep - 1;
        const int bottom = top + kVerticalStep - 1;
        return {{left + 16, top + 21}, {left, top}, {right, top}, {left, bottom}, {right, bottom}};
    }

    // The first and the last window pixel showing a table pixel.
    static std::vector<QPoint> WindowPixels(QPoint table, int scale) {
        const QPoint first(WindowPixel(table.x(), scale), WindowPixel(table.y(), scale));
        const QPoint last(WindowPixel(table.x() + 1, scale) - 1, WindowPixel(table.y() + 1, scale) - 1);
        return {first, last};
    }
};

TEST_F(TableScaleTest, EveryTileIsHitWhereItIsSeenAtEachScaleAndFitted) {
    PlayFirstGame([&] {
        GameTable& table = GameOf().table;
        MousePlay& mouse = form->Mouse();
        for (const int chosen : {150, 200, kFitScale}) {
            if (chosen == kFitScale) {
                form->findChild<QAction*>("FitToWindow1")->trigger();
            } else {
                form->SetTableScale(chosen);
            }
            const int scale = form->Geometry().scale;
            SCOPED_TRACE(scale);
            int checked = 0;
            for (int p = 1; p <= kPositionCount; ++p) {
                const TileRecord& tile = table.tiles[p];
                if (!tile.present || tile.covered) continue;
                std::vector<QPoint> ownPixels;
                for (const QPoint at : Landmarks(tile)) {
                    const int hitAtActualSize = mouse.TileAtPoint(at.x(), at.y());
                    for (const QPoint window : WindowPixels(at, scale)) {
                        const QPoint hit = form->TablePoint(window);
                        EXPECT_EQ(mouse.TileAtPoint(hit.x(), hit.y()), hitAtActualSize) << p;
                        if (hitAtActualSize == p) ownPixels.push_back(window);
                        ++checked;
                    }
                }
                // A screen reader places the tile where the window shows it.
                const QRect placed = form->Accessibility().Tile(p)->rect();
                const QPoint centre = form->TablePoint(form->ClientArea()->mapFromGlobal(placed.center()));
                const QPoint landmark = Landmarks(tile).front();
                EXPECT_EQ(mouse.TileAtPoint(centre.x(), centre.y()), mouse.TileAtPoint(landmark.x(), landmark.y())) << p;
                if (!IsFree(table, p) || ownPixels.empty()) continue;
                // Real presses on a free tile select it, and a second press
                // on another of its pixels lets it go again. The selection
                // is drawn on the tile's own picture at the scale.
                const QImage before = Screen();
                QTest::mouseClick(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, ownPixels.front());
                EXPECT_EQ(table.firstSelection.made, 1) << p;
                EXPECT_EQ(table.firstSelection.tile, p);
                const QRect changed = ChangedArea(before, Screen());
                EXPECT_FALSE(changed.isEmpty()) << p;
                // A tile drawn at a fraction of a pixel may reach one pixel further.
                const QRect picture(tile.x + kTableLeft, tile.y + kTableTop, kTileWidth, kTileHeight);
                EXPECT_TRUE(WindowRect(picture, scale).adjusted(0, 0, 1, 1).contains(changed))
                    << p << " drawn where it is hit";
                QTest::mouseClick(form->ClientArea(), Qt::LeftButton, Qt::NoModifier, ownPixels.back());
                EXPECT_EQ(table.firstSelection.made, 0) << p;
            }
            EXPECT_GT(checked, 500);
        }
        table.tableReady = 0;
    });
}

// At 200% the tiles and the page texts are drawn at that size, not as their
// 100% pixels each shown twice as large.
TEST_F(TableScaleTest, TilesAndPageTextsAtTwiceTheScaleAreNotPixelDoubled) {
    PlayFirstGame([&] {
        const TileRecord& top = GameOf().table.tiles[GameOf().table.specialSlots[1]];
        const QRect tile(top.x + kTableLeft, top.y + kTableTop, kTileWidth, kTileHeight);
        const QImage actual = Screen();
        form->SetTableScale(200);
        EXPECT_GT(NotDoubled(actual, Screen(), tile), 0.1);

        form->Views().ViewBtn1Click();
        ASSERT_EQ(GameOf().shell.viewMode, kViewSetOfTiles);
        const QRect heading(24, 16, 200, 12);
        const QImage page = Screen();
        form->SetTableScale(kActualScale);
        const QImage pageActual = Screen();
        EXPECT_GT(NotDoubled(pageActual, page, heading), 0.02);
        // The heading is written, in its lime, at both sizes.
        EXPECT_TRUE(Shows(pageActual, heading, kLime));
        EXPECT_TRUE(Shows(page, QRect(heading.topLeft() * 2, heading.size() * 2), kLime));
        GameOf().table.tableReady = 0;
    });
}

TEST_F(TableScaleTest, ViewCommandsScaleTheTableAndTheChoiceSurvivesARestart) {
    const auto stored = [&] {
        QFile file(QString::fromStdString(settingsPath));
        file.open(QIODevice::ReadOnly);
        const QByteArray text = file.readAll();
        const qsizetype at = text.indexOf("\"Table Scale\"=dword:");
        return at < 0 ? -1 : text.mid(at + 20, 8).toInt(nullptr, 16);
    };
    const auto key = [&](int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(form, static_cast<Qt::Key>(key), modifiers);
        return form->Geometry().scale;
    };
    PlayFirstGame([&] {
        std::vector<QString> items;
        for (const QAction* action : form->findChild<QMenu*>("ViewMenu1")->actions()) {
            items.push_back(action->isSeparator() ? "-" : action->text().remove('&'));
        }
        EXPECT_EQ(items, (std::vector<QString>{"Set of Tiles", "Dimensions", "-", "Zoom In", "Zoom Out",
                                               "Actual Size", "Fit Table to Window", "Full Screen"}));
        EXPECT_EQ(stored(), -1) << "no scale is written until one is chosen";
        EXPECT_EQ(key(Qt::Key_Equal), 110);
        EXPECT_EQ(key(Qt::Key_Plus), 125);
        EXPECT_EQ(stored(), 125);
        EXPECT_EQ(key(Qt::Key_Minus), 110);
        EXPECT_EQ(key(Qt::Key_0), 100);
        EXPECT_EQ(stored(), 100);

        auto* fit = form->findChild<QAction*>("FitToWindow1");
        fit->trigger();
        EXPECT_TRUE(fit->isChecked());
        EXPECT_EQ(stored(), 0);
        const int fitted = form->Geometry().scale;
        // The table and the message line below it fill the height of the client area.
        const int filled =
            WindowPixel(form->Geometry().panelTop, fitted) + form->findChild<QWidget*>("Panel1")->height();
        EXPECT_LE(filled, form->ClientArea()->height());
        EXPECT_GE(filled, 0.8 * form->ClientArea()->height());
        form->resize(1000, 700);
        QCoreApplication::processEvents();
        EXPECT_LT(form->Geometry().scale, fitted) << "the fit follows the window";
        EXPECT_EQ(key(Qt::Key_F11, Qt::NoModifier), form->Geometry().scale);
        EXPECT_TRUE(form->isFullScreen());
        key(Qt::Key_F11, Qt::NoModifier);
        EXPECT_FALSE(form->isFullScreen());
        GameOf().table.tableReady = 0;
    });
    windows = ApplicationWindows();
    Create(QSize(1920, 1080));
    form->resize(1000, 700);
    StartUp();
    EXPECT_TRUE(form->findChild<QAction*>("FitToWindow1")->isChecked());
    EXPECT_EQ(form->Geometry().scale, FitScale({form->ClientArea()->width(), form->ClientArea()->height() + 1, 1, 0, 0},
                                              form->findChild<QWidget*>("Panel1")->height(), Settings{}));
}

// The settings file takes its lock in a folder here, so it refuses every write.
TEST_F(TableScaleTest, RefusedScaleIsReportedInARealMessageBoxAndHoldsForTheRun) {
    QtModalService realModal;
    windows = CreateForms({clock, realModal, settingsPath, QSize(1920, 1080), false});
    form = windows.form1.get();
    StartUp();
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(settingsPath + ".lock")));
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    form->findChild<QAction*>("ZoomIn1")->trigger();
    EXPECT_TRUE(shown.startsWith("Failed to set data for 'Table Scale'\n")) << shown.toStdString();
    EXPECT_EQ(form->Geometry().scale, 110);
    QDir().rmdir(QString::fromStdString(settingsPath + ".lock"));
}

}  // namespace
}  // namespace jadeleaf::test
