#pragma once

struct sqlite3;

// The server functions the statements rely on, registered on an embedded
// connection with their exact argument counts (a registration under a built-in's
// name replaces the built-in for that count only).
//
// Dates: a date value is a day number, the integer part being the Julian day of
// the calendar date (QDate::toJulianDay) and the fraction the time of day. So
// TO_DATE(x)+365 and TO_DATE(a)-TO_DATE(b) are plain arithmetic and give days;
// TO_CHAR turns a day number back into text. Functions that expect a date also
// accept the eight-digit text YYYYMMDD (the session's default date format).
class TSqliteFunctions
{
public:
    static void Register(sqlite3* handle); // throws EDatabaseError
};
