#pragma once
// Cell values and their display texts by column format (enuLVFormat): dates in the regional
// short date format, numbers with the regional separators.
#include <string>

#include "Variant.h"

namespace kv::listview {

// The display text of a value: "" for Null and Empty, a date (format 1) in the short date
// format, numbers (2 ... 7) with 0, 1 or 2 decimals and for 5 ... 7 the thousands separator,
// anything else as text. A value that is no date or number for such a column raises 13.
std::wstring FormatValue(long format, const Variant& value);

// The value a display text stands for: a date for format 1, the number for 2 ... 7 as it is
// shown (no decimal is lost), the text itself for other formats or when formatted is true.
// An empty text comes back as "".
Variant ParseValue(long format, const std::wstring& text, bool formatted);

// What sorting compares: the date or number a cell shows, 0 for an empty or unreadable text.
double SortNumber(long format, const std::wstring& text);

}  // namespace kv::listview
