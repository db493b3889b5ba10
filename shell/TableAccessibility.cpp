// The tiles as accessible items: the table widget's interface, one interface a tile, and the events between them.
#include "shell/TableAccessibility.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>
#include <QWindow>

#include "framework/PauseHold.h"
#include "model/FaceNames.h"
#include "model/MoveRules.h"
#include "model/TableLayout.h"
#include "render/TableGeometry.h"

namespace jadeleaf {

QRect TableRect(const TileRecord& tile) {
    return {tile.x + kTableLeft, tile.y + kTableTop, kHorizontalStep, kVerticalStep};
}

QRect ScreenRect(const QWidget& table, const QRect& tableRect, int scale) {
    const QRect inWindow = WindowRect(tableRect, scale);
    return {table.mapToGlobal(inWindow.topLeft()), inWindow.size()};
}

namespace {

QHash<const QObject*, TableAccessibility*>& Tables() {
    static QHash<const QObject*, TableAccessibility*> tables;
    return tables;
}

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// One tile while it lies on the table. It reads the tile's record whenever it
// is asked, so it never tells an old state.
class TileAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TileAccessible(TableAccessibility& owner, int p) : owner_(owner), p_(p) {}

    // Raises the event of the tile's leaving while a reader may still ask about it.
    void Leave() {
        leaving_ = true;
        QAccessibleEvent event(this, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&event);
    }

    bool isValid() const override { return !gone_ && (leaving_ || owner_.Listed(p_)); }
    void Forget() { gone_ = true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return owner_.Table().window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(&owner_.Table()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return ToQString(FaceName(Record().face));
        case QAccessible::Description:
            return ToQString(TileDescription(Record()));
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    // The part of the tile that takes a press: its grid step, as a press finds it.
    QRect rect() const override {
        const TileRecord& tile = Record();
        return ScreenRect(owner_.Table(), TableRect(tile), owner_.Scale());
    }

    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override {
        const TileRecord& tile = Record();
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        state.checkable = true;
        state.selected = state.checked = tile.state == kStateSelected;
        state.focused = owner_.Cursor() == p_;
        state.marqueed = tile.state == kStateSureBet;
        state.disabled = !IsFree(owner_.GameState().table, p_);
        state.invisible = !isValid();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction(), toggleAction()}; }
    // The press runs from the message loop, after the reader has had its
    // answer: the press may end the game, and the results dialog's own loop
    // would keep the answer back until the dialog closes. During a pause it
    // waits for the pause's end, as a mouse press does.
    void doAction(const QString& name) override {
        if (!isValid()) return;
        if (name == setFocusAction()) {
            owner_.Focus(p_);
        } else if (name == pressAction() || name == toggleAction()) {
            QWidget* table = &owner_.Table();
            const int p = p_;
            QMetaObject::invokeMethod(
                table,
                [table, p] {
                    PauseHold::Run(table, [table, p] {
                        if (const TableAccessibility* tiles = TableAccessibility::Of(table)) tiles->Press(p);
                    });
                },
                Qt::QueuedConnection);
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction() || name == toggleAction()) return {QStringLiteral("Space")};
        return {};
    }

    int Position() const { return p_; }

private:
    const TileRecord& Record() const { return owner_.GameState().table.tiles[p_]; }

    TableAccessibility& owner_;
    int p_;
    bool leaving_ = false;
    bool gone_ = false;
};

namespace {

// The table widget: its own children (the message line, the score box, the
// information button) come first, then the tiles.
class TableAreaAccessible final : public QAccessibleWidget {
public:
    explicit TableAreaAccessible(QWidget* table) : QAccessibleWidget(table, QAccessible::List) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const TableAccessibility* tiles = Tiles()) return tiles->TableName();
        }
        if (kind == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
            if (const TableAccessibility* tiles = Tiles()) return tiles->TableDescription();
        }
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override {
        const TableAccessibility* tiles = Tiles();
        return QAccessibleWidget::childCount() + (tiles != nullptr ? tiles->TileCount() : 0);
    }

    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index < own) return QAccessibleWidget::child(index);
        TableAccessibility* tiles = Tiles();
        if (tiles == nullptr || index - own >= tiles->TileCount()) return nullptr;
        return tiles->Tile(tiles->TileAt(index - own));
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (const auto* tile = dynamic_cast<const TileAccessible*>(child)) {
            const TableAccessibility* tiles = Tiles();
            const int index = tiles != nullptr ? tiles->IndexOf(tile->Position()) : -1;
            return index < 0 ? -1 : QAccessibleWidget::childCount() + index;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

    // The widgets lie above the table; of the tiles, the one a press there finds.
    QAccessibleInterface* childAt(int x, int y) const override {
        // The stock search would walk the tiles too, in the wrong order.
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* own = QAccessibleWidget::child(i);
            if (own != nullptr && !own->state().invisible && own->rect().contains(x, y)) return own;
        }
        TableAccessibility* tiles = Tiles();
        if (tiles == nullptr) return nullptr;
        for (int index = tiles->TileCount() - 1; index >= 0; --index) {
            QAccessibleInterface* tile = tiles->Tile(tiles->TileAt(index));
            if (tile->rect().contains(x, y) && tiles->GameState().table.tiles[tiles->TileAt(index)].covered == 0) return tile;
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        TableAccessibility* tiles = Tiles();
        if (tiles != nullptr && tiles->Cursor() != 0 && tiles->Listed(tiles->Cursor())) return tiles->Tile(tiles->Cursor());
        return QAccessibleWidget::focusChild();
    }

private:
    TableAccessibility* Tiles() const { return TableAccessibility::Of(widget()); }
};

QAccessibleInterface* TableInterface(const QString&, QObject* object) {
    if (TableAccessibility::Of(object) == nullptr) return nullptr;
    return new TableAreaAccessible(static_cast<QWidget*>(object));
}

}  // namespace

TableAccessibility::TableAccessibility(QWidget& table, const Game& game, std::function<void(int)> press,
                                       std::function<void(int)> focus)
    : table_(table), game_(game), press_(std::move(press)), focus_(std::move(focus)) {
    static const bool factoryInstalled = (QAccessible::installFactory(TableInterface), true);
    (void)factoryInstalled;
    Tables().insert(&table_, this);
}

TableAccessibility::~TableAccessibility() {
    for (int p = 1; p <= kPositionCount; ++p) {
        if (ids_[p] == 0) continue;
        static_cast<TileAccessible*>(QAccessible::accessibleInterface(ids_[p]))->Forget();
        QAccessible::deleteAccessibleInterface(ids_[p]);
    }
    Tables().remove(&table_);
}

TableAccessibility* TableAccessibility::Of(const QObject* table) { return Tables().value(table, nullptr); }

bool TableAccessibility::Listed(int p) const {
    return p >= 1 && p <= kPositionCount && game_.shell.viewMode == kViewTable && game_.table.tiles[p].present == 1;
}

int TableAccessibility::TileCount() const {
    int count = 0;
    for (int p = 1; p <= kPositionCount; ++p) count += Listed(p) ? 1 : 0;
    return count;
}

int TableAccessibility::TileAt(int index) const {
    for (int p = 1; p <= kPositionCount; ++p) {
        if (Listed(p) && index-- == 0) return p;
    }
    return 0;
}

int TableAccessibility::IndexOf(int p) const {
    if (!Listed(p)) return -1;
    int index = 0;
    for (int q = 1; q < p; ++q) index += Listed(q) ? 1 : 0;
    return index;
}

QAccessibleInterface* TableAccessibility::Tile(int p) {
    if (p < 1 || p > kPositionCount) return nullptr;
    if (ids_[p] == 0) ids_[p] = QAccessible::registerAccessibleInterface(new TileAccessible(*this, p));
    return QAccessible::accessibleInterface(ids_[p]);
}

QString TableAccessibility::TableName() const {
    if (!game_.table.tableReady) return QStringLiteral("Game table");
    return QStringLiteral("Game table, %1 tiles left").arg(game_.table.tilesLeft);
}

QString TableAccessibility::TableDescription() const {
    if (!game_.table.tableReady) return {};
    return QStringLiteral("Deal number %1").arg(game_.DealSeed());
}

void TableAccessibility::SetCursor(int p) {
    cursor_ = p;
    Update();
}

void TableAccessibility::Retire(int p) {
    if (ids_[p] != 0) {
        auto* tile = static_cast<TileAccessible*>(QAccessible::accessibleInterface(ids_[p]));
        tile->Leave();
        tile->Forget();
        QAccessible::deleteAccessibleInterface(ids_[p]);
        ids_[p] = 0;
    }
}

void TableAccessibility::Update() {
    // Without a reader there is no one to tell, and no tile's interface is made for the telling.
    const bool active = QAccessible::isActive();
    for (int p = 1; p <= kPositionCount; ++p) {
        Seen& seen = seen_[p];
        const bool listed = Listed(p);
        if (!listed) {
            if (seen.listed) Retire(p);
            seen = Seen{};
            continue;
        }
        const TileRecord& tile = game_.table.tiles[p];
        const Seen now{true, tile.state, IsFree(game_.table, p)};
        if (active && !seen.listed) {
            QAccessibleEvent created(Tile(p), QAccessible::ObjectCreated);
            QAccessible::updateAccessibility(&created);
        } else if (active && (now.state != seen.state || now.free != seen.free)) {
            QAccessible::State changed;
            changed.selected = changed.checked = (now.state == kStateSelected) != (seen.state == kStateSelected);
            changed.marqueed = (now.state == kStateSureBet) != (seen.state == kStateSureBet);
            changed.disabled = now.free != seen.free;
            QAccessibleStateChangeEvent states(Tile(p), changed);
            QAccessible::updateAccessibility(&states);
            QAccessibleEvent description(Tile(p), QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&description);
        }
        seen = now;
    }
    if (cursor_ != seenCursor_) {
        seenCursor_ = cursor_;
        if (active && Listed(cursor_)) {
            QAccessibleEvent focus(Tile(cursor_), QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
    const QString description = TableDescription();
    if (description != seenDescription_) {
        seenDescription_ = description;
        if (active) {
            QAccessibleEvent event(&table_, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&event);
        }
    }
    const QString name = TableName();
    if (name != seenName_) {
        seenName_ = name;
        if (!active) return;
        QAccessibleEvent event(&table_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace jadeleaf
