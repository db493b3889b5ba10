// The calendar grid: one month as seven columns of days under a heading row of day names.
#pragma once

#include <QDate>
#include <QTableWidget>
#include <functional>

namespace jadeleaf {

// Unlike a stock calendar widget it shows one month only, with no days of
// the neighbouring months and no way to move to another month.
class TCCalendar final : public QTableWidget {
public:
    explicit TCCalendar(QWidget* parent = nullptr);

    // 1 = Monday ... 7 = Sunday; any other value is taken as 1.
    void SetStartOfWeek(int day);
    int StartOfWeek() const { return startOfWeek_; }

    // Shows the month of `date` with that day selected; the control then no
    // longer follows the current date.
    void SetDate(QDate date);
    QDate Date() const { return date_; }
    bool UseCurrentDate() const { return useCurrentDate_; }

    // Raised when the player selects a day.
    std::function<void()> onChange;

    // The grid's arithmetic. Weekdays run 1 = Sunday to 7 = Saturday.
    static bool IsLeapYear(int year);
    static int DaysPerMonth(int year, int month);
    static int MonthOffset(int weekdayOfFirst, int startOfWeek);
    // The day number in column c and row r >= 1, or 0 for an empty cell.
    static int DayInCell(int monthOffset, int daysInMonth, int column, int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void FillGrid();
    void SelectDay(int row, int column);
    void SizeCells();
    bool IsDayCell(const QModelIndex& index) const;

    int startOfWeek_ = 1;
    bool useCurrentDate_ = true;
    QDate date_;
    int monthOffset_ = 0;
    bool filling_ = false;
};

}  // namespace jadeleaf
