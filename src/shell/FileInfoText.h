// The date and size texts that file descriptions and the directory listing show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "mm-dd-yy hh:nna/p": two-digit month, day, year; 12-hour clock (12 for midnight and noon);
// "a" before noon, "p" from noon on. 14:05 on 7 March 2002 reads "03-07-02 02:05p".
std::string FormatFileDate(int year, int month, int day, int hour, int minute);

// The number with digits grouped by three ("#,##0"), using the given thousands separator.
std::string GroupThousands(uint64_t value, std::string_view separator);

// The size right-aligned in 13 columns. Only padding is ever cut: a size that needs more than
// 13 columns is shown whole.
std::string FormatSizeText(uint64_t bytes, std::string_view separator);
