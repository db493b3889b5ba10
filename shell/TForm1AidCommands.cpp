// The Game menu's aids beyond its own items: Undo, Redo, Hint, Deal Number and Winnable Deals Only.
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/WinnableDeal.h"
#include "model/Deck.h"
#include "settings/SettingsStore.h"
#include "shell/MenuCommand.h"
#include "shell/TForm1.h"
#include "ui_TForm1.h"

namespace jadeleaf {

// The aids come after the menu's own items, so that those keep their places.
void TForm1::CreateAidCommands() {
    QMenu* menu = ui_->GameMenu1;
    menu->addSeparator();
    undo1_ = AddMenuCommand(menu, "Undo1", "&Undo", "Put the last pair back on the table", {QKeySequence("Ctrl+Z")});
    redo1_ = AddMenuCommand(menu, "Redo1", "&Redo", "Take the pair put back off the table again",
                            {QKeySequence("Ctrl+Shift+Z")});
    hint1_ = AddMenuCommand(menu, "Hint1", "&Hint", "Show a pair that keeps the table clearable", {QKeySequence("H")});
    // The game loop enables these three as the game allows.
    for (QAction* aid : {undo1_, redo1_, hint1_}) aid->setEnabled(false);
    dealNumber1_ = AddMenuCommand(menu, "DealNumber1", "&Deal Number\u2026", "Start the deal of a given number");
    ConnectCommand(undo1_, &QAction::triggered, [this] { game_.Undo1Click(); });
    ConnectCommand(redo1_, &QAction::triggered, [this] { game_.Redo1Click(); });
    ConnectCommand(hint1_, &QAction::triggered, [this] { Hint1Click(); });
    ConnectCommand(dealNumber1_, &QAction::triggered, [this] { DealNumber1Click(); });
    winnableDeals1_ = AddMenuCommand(menu, "WinnableDeals1", "&Winnable Deals Only",
                                     "Deal only deals that can be cleared", {});
    winnableDeals1_->setCheckable(true);
    ConnectCommand(winnableDeals1_, &QAction::triggered, [this] { WinnableDeals1Click(); });
    game_.SetWinnableSeedSearch([this](std::uint32_t seed) {
        if (!dealSolver_) dealSolver_ = std::make_unique<DealSolver>(std::size_t{1} << 16);
        return FirstWinnableSeed(*dealSolver_, seed);
    });
    hintTimer_.SetInterval(2000);
}

// The choice holds for this run even when the settings file refuses it.
void TForm1::WinnableDeals1Click() {
    game_.settings.winnableDeals = winnableDeals1_->isChecked() ? 1 : 0;
    try {
        WriteWinnableDeals(settingsFile_, game_.settings);
    } catch (const std::exception& error) {
        ReportException(error);
    }
}

QAction* TForm1::AidAction(WindowItem item) const {
    switch (item) {
    case WindowItem::Undo1:
        return undo1_;
    case WindowItem::Redo1:
        return redo1_;
    case WindowItem::Hint1:
        return hint1_;
    default:
        return nullptr;
    }
}

namespace {

// The same tiles on the table, dealt alike: no pair has been taken since,
// or every pair taken has been put back.
bool SameTable(const GameTable& a, const GameTable& b) {
    if (!std::equal(std::begin(a.deal), std::end(a.deal), std::begin(b.deal))) return false;
    for (int p = 1; p <= kPositionCount; ++p) {
        if (a.tiles[p].present != b.tiles[p].present) return false;
    }
    return true;
}

const char* HintText(HintAnswer::Kind kind) {
    switch (kind) {
    case HintAnswer::Kind::Winning:
        return "This pair keeps the table clearable. See the highlighted tiles.";
    case HintAnswer::Kind::Lost:
        return "The table can no longer be cleared. A matching pair is highlighted.";
    case HintAnswer::Kind::Unproven:
        return "No clearing order found in time. The highlighted pair is unproven.";
    case HintAnswer::Kind::NoMove:
        break;
    }
    return " No move left. Game finished.";
}

}  // namespace

void TForm1::Hint1Click() {
    if (!game_.AidsAllowed()) return;
    if (!hintWorker_) {
        hintWorker_ = std::make_unique<HintWorker>([this](std::uint64_t ticket, const HintAnswer& answer) {
            // The worker never touches the window: the answer is handled on the window's thread.
            QMetaObject::invokeMethod(
                this, [this, ticket, answer] { PauseHold::Run(this, [=, this] { HintFound(ticket, answer); }); },
                Qt::QueuedConnection);
        });
    }
    hintTable_ = game_.table;
    hintAwaited_ = true;
    hintWorker_->Request(++hintTicket_, game_.table);
    SetMessageLine("Looking for a pair that keeps the table clearable.");
}

void TForm1::WaitForHint() {
    if (hintWorker_) hintWorker_->WaitUntilIdle();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

// An answer for a table that a move or a new game has changed since is dropped.
void TForm1::HintFound(std::uint64_t ticket, const HintAnswer& answer) {
    if (ticket != hintTicket_) return;
    hintAwaited_ = false;
    if (!game_.AidsAllowed() || !SameTable(hintTable_, game_.table)) return;
    SetMessageLine(HintText(answer.kind));
    SetTimerEnabled(WindowTimer::Timer2, true);
    if (answer.a != 0) HighlightHint(answer.a, answer.b);
}

// Every change of the table is painted: a move, Undo, Redo, a new deal or
// the game's end. The search for a table that is no longer there stops then,
// rather than running its budget out for an answer that would be dropped.
void TForm1::CallOffStaleHint() {
    if (!hintAwaited_ || (game_.AidsAllowed() && SameTable(hintTable_, game_.table))) return;
    hintAwaited_ = false;
    ++hintsCalledOff_;
    hintWorker_->Cancel();
}

// The pair is drawn as selected for a while; the selections themselves stay as they are.
void TForm1::HighlightHint(int a, int b) {
    EndHintHighlight();
    GameTable& table = game_.table;
    hintTiles_[0] = a;
    hintTiles_[1] = b;
    for (int i = 0; i < 2; ++i) {
        TileRecord& tile = table.tiles[hintTiles_[i]];
        hintSavedStates_[i] = tile.state;
        tile.state = kStateSelected;
        tile.shown = 1;
        MarkLayersForRepaint(game_.paint, tile.layer);
    }
    Paint();
    hintTimer_.SetEnabled(true);
}

void TForm1::EndHintHighlight() {
    hintTimer_.SetEnabled(false);
    GameTable& table = game_.table;
    bool changed = false;
    for (int i = 0; i < 2; ++i) {
        const int p = hintTiles_[i];
        hintTiles_[i] = 0;
        if (p == 0) continue;
        TileRecord& tile = table.tiles[p];
        const bool selected = (table.firstSelection.made && table.firstSelection.tile == p) ||
                              (table.secondSelection.made && table.secondSelection.tile == p);
        // A tile taken, selected by the player or dealt anew meanwhile is left alone.
        if (!tile.present || tile.state != kStateSelected || selected) continue;
        const bool sureBet = std::find(std::begin(table.sureBet), std::end(table.sureBet), p) != std::end(table.sureBet);
        tile.state = hintSavedStates_[i] == kStateSureBet && sureBet ? kStateSureBet : kStateNormal;
        tile.shown = 1;
        MarkLayersForRepaint(game_.paint, tile.layer);
        changed = true;
    }
    if (changed && game_.shell.viewMode == kViewTable) Paint();
}

void TForm1::DealNumber1Click() {
    // Deal Number starts a game as New game does, and only when it may.
    if (game_.shell.startupPending || !ui_->NewGame1->isEnabled()) return;
    QDialog dialog(this);
    dialog.setObjectName("DealNumberDlg");
    dialog.setWindowTitle(" Deal Number");
    auto* layout = new QVBoxLayout(&dialog);
    auto* current = new QLabel(&dialog);
    current->setObjectName("CurrentDeal");
    if (game_.table.tableReady) {
        current->setText(QString("The deal on the table is number %1.").arg(game_.DealSeed()));
    } else {
        current->setText("No deal is on the table.");
    }
    auto* label = new QLabel("Deal number, from 0 to 4294967295:", &dialog);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName("DealNumberEdit");
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(current);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    dialog.move(ClientOrigin() + QPoint(30, 29));
    std::uint32_t seed = 0;
    for (;;) {
        // Only the OK button goes on: a dialog closed any other way is a cancel.
        dialog.setResult(QDialog::Rejected);
        if (services_.modal.ExecDialog(dialog) != QDialog::Accepted || dialog.result() != QDialog::Accepted) return;
        const std::string text = edit->text().toStdString();
        if (ParseDealNumber(text, seed)) break;
        ShowMessage(" Deal Number",
                    "\"" + text + "\" is not a deal number.\nA deal number is a whole number from 0 to 4294967295.",
                    MessageIcon::Warning, MessageButtons::Ok);
        edit->selectAll();
    }
    game_.DealNumber1Click(seed);
}

}  // namespace jadeleaf
