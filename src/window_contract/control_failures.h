#pragma once

#include "failure/failure.h"

namespace pv {

// The failures every window's controls raise, so that an error report names a fault alike
// whichever window runs.
namespace index_check {

inline void Require(bool holds, const char* description, long code)
{
    if (!holds)
        throw Failure(description, code);
}

}  // namespace index_check

// A picture (a pointer, an icon) that cannot be loaded.
[[noreturn]] inline void ThrowInvalidPicture()
{
    throw Failure("Invalid picture", failure_code::kInvalidPicture);
}

// A control of the main window: 0 to count - 1.
inline void CheckControlIndex(int index, int count)
{
    index_check::Require(index >= 0 && index < count, "Subscript out of range", failure_code::kSubscriptOutOfRange);
}

// A column of the list, 0 to count - 1; a row, 1 to count.
inline void CheckListColumn(int column, int count)
{
    index_check::Require(column >= 0 && column < count, "Index out of bounds", failure_code::kIndexOutOfBounds);
}
inline void CheckListRow(int row, int count)
{
    index_check::Require(row >= 1 && row <= count, "Index out of bounds", failure_code::kIndexOutOfBounds);
}

// An item of the printer box, 0 to count - 1; the selection may also be -1, none.
inline void CheckBoxItem(int index, int count)
{
    index_check::Require(index >= 0 && index < count, "Invalid argument", failure_code::kInvalidProcedureCall);
}
inline void CheckBoxSelection(int index, int count)
{
    index_check::Require(index >= -1 && index < count, "Invalid property value", failure_code::kInvalidProcedureCall);
}

}  // namespace pv
