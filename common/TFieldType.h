#pragma once

// Value type of a query field or parameter.
enum TFieldType
{
    ftUnknown,
    ftString,
    ftInteger,
    ftFloat,
    ftDateTime,
    ftBlob
};
