// The painted tiles of the game table as items a screen reader can read and act on.
#pragma once

#include <QAccessible>
#include <QRect>
#include <array>
#include <functional>

#include "model/Game.h"

class QWidget;

namespace jadeleaf {

class TileAccessible;

// The part of a tile that takes a press, in table pixels: its grid step.
QRect TableRect(const TileRecord& tile);
// The same on the screen, for a table shown in `table`.
QRect ScreenRect(const QWidget& table, const QRect& tableRect, int scale);

// The table widget's accessible interface lists one child per present tile
// after the widget's own children (the message line, the score box, the
// information button). A tile keeps its child interface while it lies on the
// table; taking it off retires the interface.
class TableAccessibility {
public:
    // `press` acts on a tile as a left press and release on it does; `focus` puts the keyboard's cursor on it.
    TableAccessibility(QWidget& table, const Game& game, std::function<void(int)> press, std::function<void(int)> focus);
    ~TableAccessibility();
    TableAccessibility(const TableAccessibility&) = delete;
    TableAccessibility& operator=(const TableAccessibility&) = delete;

    // Compares the table with what a screen reader was last told and raises
    // the events for the difference: tiles dealt or taken off, selections and
    // sure bets, the cursor's tile, the tiles left.
    void Update();

    // The tile under the keyboard's cursor, 0 for none; a screen reader follows it.
    int Cursor() const { return cursor_; }
    void SetCursor(int p);

    // The positions a screen reader lists, in the order it lists them.
    int TileCount() const;
    int TileAt(int index) const;
    int IndexOf(int p) const;
    bool Listed(int p) const;

    QAccessibleInterface* Tile(int p);
    QWidget& Table() const { return table_; }
    // The table's scale in percent, for the tiles' rectangles on screen.
    void SetScale(std::function<int()> scale) { scale_ = std::move(scale); }
    int Scale() const { return scale_ ? scale_() : 100; }
    const Game& GameState() const { return game_; }
    void Press(int p) const { press_(p); }
    void Focus(int p) const { focus_(p); }
    QString TableName() const;
    // The number of the deal on the table, which the window shows nowhere
    // else while the aids are unused.
    QString TableDescription() const;

    static TableAccessibility* Of(const QObject* table);

private:
    struct Seen {
        bool listed = false;
        std::int32_t state = 0;
        bool free = false;
    };
    void Retire(int p);

    QWidget& table_;
    const Game& game_;
    std::function<void(int)> press_;
    std::function<void(int)> focus_;
    std::function<int()> scale_;
    std::array<QAccessible::Id, kPositionCount + 1> ids_{};
    std::array<Seen, kPositionCount + 1> seen_{};
    int cursor_ = 0;
    int seenCursor_ = 0;
    QString seenName_;
    QString seenDescription_;
};

}  // namespace jadeleaf
