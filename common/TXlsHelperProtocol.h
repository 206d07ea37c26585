#pragma once

#include <cstdint>

// What the .xls reader process (selvar_xlsread) writes to its standard output:
// a stream of records, each a tag byte and a body in the machine's byte order.
//   'S' u32 n, n bytes       a sheet begins, its name in UTF-8
//   'N' u32 row, u16 col, double            a number (0-based position)
//   'T' u32 row, u16 col, u32 n, n bytes    a text in UTF-8
//   'D' u32 row, u16 col, u8 kind, u32 n, n bytes  date (0), date and time (1)
//                                           or time (2) as ISO text
//   'E'  the end: everything was read       'P'  the file has a password
//   'X'  the library refused the file        'M'  more cells than allowed
namespace XlsHelper {
enum TTag : char { tSheet = 'S', tNumber = 'N', tText = 'T', tDate = 'D', tEnd = 'E',
                   tPassword = 'P', tDamaged = 'X', tTooMany = 'M' };
enum TDateKind : std::uint8_t { dkDate = 0, dkDateTime = 1, dkTime = 2 };
} // namespace XlsHelper
