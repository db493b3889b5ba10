// The calendar grid.
#include "framework/TCCalendar.h"

#include <QHeaderView>
#include <QLocale>
#include <QMouseEvent>

namespace jadeleaf {

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 7;
constexpr int kGridLineWidth = 1;

// Weekday of a date, 1 = Sunday ... 7 = Saturday.
int WeekdayOf(QDate date) { return date.dayOfWeek() % 7 + 1; }

// Qt numbers the days 1 = Monday ... 7 = Sunday; here 0 is Sunday.
int QtDay(int dayFromSunday) { return dayFromSunday == 0 ? 7 : dayFromSunday; }

}  // namespace

TCCalendar::TCCalendar(QWidget* parent) : QTableWidget(kRows, kColumns, parent), date_(QDate::currentDate()) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    setShowGrid(true);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!filling_) SelectDay(row, column);
    });
    FillGrid();
}

bool TCCalendar::IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int TCCalendar::DaysPerMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

// A month whose first day falls on the first column would start in column
// 0 with an offset of 1; the offset 2 would leave the whole first row empty,
// so the grid starts a week later instead.
int TCCalendar::MonthOffset(int weekdayOfFirst, int startOfWeek) {
    const int offset = 2 - ((weekdayOfFirst - startOfWeek + 7) % 7);
    return offset == 2 ? -5 : offset;
}

int TCCalendar::DayInCell(int monthOffset, int daysInMonth, int column, int row) {
    const int day = monthOffset + column + 7 * (row - 1);
    return row >= 1 && day >= 1 && day <= daysInMonth ? day : 0;
}

void TCCalendar::SetStartOfWeek(int day) {
    startOfWeek_ = day >= 1 && day <= 7 ? day : 1;
    FillGrid();
}

void TCCalendar::SetDate(QDate date) {
    if (!date.isValid()) return;
    date_ = date;
    useCurrentDate_ = false;
    FillGrid();
}

void TCCalendar::FillGrid() {
    filling_ = true;
    clearSelection();
    const QLocale locale;
    for (int column = 0; column < kColumns; ++column) {
        const int qtDay = QtDay((startOfWeek_ + column) % 7);
        auto* heading = new QTableWidgetItem(locale.dayName(qtDay, QLocale::ShortFormat));
        heading->setData(Qt::AccessibleDescriptionRole, locale.dayName(qtDay, QLocale::LongFormat));
        heading->setFlags(Qt::ItemIsEnabled);
        heading->setBackground(palette().button());
        heading->setTextAlignment(Qt::AlignCenter);
        setItem(0, column, heading);
    }
    // The grid shows no heading with the month: a screen reader hears it as the grid's name.
    setAccessibleName(locale.standaloneMonthName(date_.month()) + QLatin1Char(' ') + QString::number(date_.year()));
    const QDate first(date_.year(), date_.month(), 1);
    monthOffset_ = MonthOffset(WeekdayOf(first), startOfWeek_);
    const int days = DaysPerMonth(date_.year(), date_.month());
    for (int row = 1; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int day = DayInCell(monthOffset_, days, column, row);
            auto* cell = new QTableWidgetItem(day != 0 ? QString::number(day) : QString());
            cell->setTextAlignment(Qt::AlignCenter);
            if (day != 0) {
                cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                cell->setData(Qt::AccessibleDescriptionRole,
                              locale.toString(QDate(date_.year(), date_.month(), day), QLocale::LongFormat));
            } else {
                cell->setFlags(Qt::ItemIsEnabled);
            }
            setItem(row, column, cell);
        }
    }
    const int index = date_.day() - monthOffset_;
    setCurrentCell(index / 7 + 1, index % 7);
    filling_ = false;
}

// Only day cells can be selected; a move onto an empty cell or the heading is refused.
void TCCalendar::SelectDay(int row, int column) {
    const int day = DayInCell(monthOffset_, DaysPerMonth(date_.year(), date_.month()), column, row);
    if (day == 0) {
        filling_ = true;
        const int index = date_.day() - monthOffset_;
        setCurrentCell(index / 7 + 1, index % 7);
        filling_ = false;
        return;
    }
    if (day == date_.day() && !useCurrentDate_) return;
    date_ = QDate(date_.year(), date_.month(), day);
    useCurrentDate_ = false;
    if (onChange) onChange();
}

bool TCCalendar::IsDayCell(const QModelIndex& index) const {
    return index.isValid() && (index.flags() & Qt::ItemIsSelectable);
}

void TCCalendar::mousePressEvent(QMouseEvent* event) {
    if (!IsDayCell(indexAt(event->position().toPoint()))) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void TCCalendar::mouseMoveEvent(QMouseEvent* event) {
    if (!IsDayCell(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableWidget::mouseMoveEvent(event);
}

void TCCalendar::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

QModelIndex TCCalendar::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QTableWidget::moveCursor(action, modifiers);
    return IsDayCell(target) ? target : currentIndex();
}

void TCCalendar::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    SizeCells();
}

void TCCalendar::SizeCells() {
    const int columnWidth = (width() - 6 * kGridLineWidth) / kColumns;
    const int rowHeight = (height() - 6 * kGridLineWidth) / kRows;
    for (int column = 0; column < kColumns; ++column) setColumnWidth(column, columnWidth);
    for (int row = 0; row < kRows; ++row) setRowHeight(row, rowHeight);
}

}  // namespace jadeleaf
