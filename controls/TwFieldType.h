#pragma once

// Value type of a field of the client-side result set.
enum TwFieldType {
    wftUnknown,
    wftString,
    wftSmallint,
    wftInteger,
    wftWord,
    wftLargeint,
    wftAutoInc,
    wftFloat,
    wftCurrency,
    wftBCD,
    wftBoolean,
    wftDate,
    wftTime,
    wftDateTime,
    wftMemo,
    wftGraphic
};

// Small, integer, word, large integer, auto-increment, float, currency, BCD.
inline bool TwIsNumericField(TwFieldType t) { return t >= wftSmallint && t <= wftBCD; }
// The whole-number kinds (and currency and BCD, which hold fixed decimals).
inline bool TwIsWholeField(TwFieldType t) { return TwIsNumericField(t) && t != wftFloat; }
