// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

// Where the result list puts things, in twips, as designed: the frame on the main window, the
// scroll bar and the canvas inside it, one row of seven cells per result, the selection frame.
namespace pellomar::ResultLayout {

struct Rect {
    int left;
    int top;
    int width;
    int height;

    friend bool operator==(const Rect &, const Rect &) = default;
};

// The cells of a row, left to right; the number sits in front of the six text cells.
enum class Column : int { Number, Name, Country, City, Type, Access, Operator };
inline constexpr int ColumnCount = 7;
inline constexpr int FirstTextColumn = static_cast<int>(Column::Name);
// What each column is called: the six text columns' headings, and to screen readers.
inline constexpr std::array<const char *, ColumnCount> ColumnNames { "Number", "Location Name",
    "Country", "City", "Type", "Access", "Operator" };

inline constexpr Rect Frame { 240, 3120, 11415, 4335 }; // on the main window
inline constexpr Rect ScrollBar { 11160, 0, 250, 4335 }; // inside the frame
inline constexpr int CanvasWidth = 11175;
inline constexpr int EmptyCanvasHeight = 400;
inline constexpr int RowPitch = 480;
inline constexpr int ScrollStep = 150; // canvas movement per unit of the scroll bar
// The part of the canvas height that is taken as visible when the scroll range is set.
inline constexpr int ScrollReserve = 3800;
inline constexpr int RowsPerPage = Frame.height / RowPitch;

struct ColumnSpan {
    int left;
    int width;
    int height;
    int offset; // below the row's top
};

inline constexpr std::array<ColumnSpan, ColumnCount> Columns { {
    { -120, 495, 255, 20 }, // Number: partly cut by the canvas's left edge
    { 480, 2415, 480, 0 }, // Name
    { 2880, 1815, 495, 0 }, // Country
    { 4680, 1695, 495, 0 }, // City
    { 6360, 1695, 495, 0 }, // Type
    { 8040, 1215, 495, 0 }, // Access
    { 9240, 1815, 495, 0 }, // Operator
} };

// Rows count from 1.
constexpr int rowTop(int row)
{
    return RowPitch * (row - 1);
}

constexpr Rect cellRect(int row, Column column)
{
    const ColumnSpan &span = Columns[static_cast<std::size_t>(column)];
    return { span.left, rowTop(row) + span.offset, span.width, span.height };
}

constexpr int canvasHeight(int rows)
{
    return EmptyCanvasHeight + RowPitch * rows;
}

// The frame drawn around a row: measured on the row's name cell, 10 twips outside it to the
// left and above, as wide as the canvas less the scroll bar's share.
constexpr Rect selectionRect(int row)
{
    const Rect name = cellRect(row, Column::Name);
    return { name.left - 10, name.top + 10, CanvasWidth - 495, name.height + 20 };
}

constexpr int canvasTop(int scrollValue)
{
    return -(scrollValue * ScrollStep);
}

// Highest scroll value for a list of `rows` rows; rows that fit need no scrolling at all, so
// the range never reaches below 0.
int scrollMaximum(int rows);

// The scroll value closest to `current` that shows the framed row `row` whole.
int scrollValueShowing(int row, int current, int maximum);

enum class Key { Up, Down, PageUp, PageDown, Home, End };

// The row a navigation key frames, from the framed row `current` (0: none) in a list of
// `count` rows; 0 when the list is empty.
int navigatedRow(int current, int count, Key key);

} // namespace pellomar::ResultLayout
