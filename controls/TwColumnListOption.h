#pragma once

#include "controls/TwItemListOption.h"

// How a column's value list is shown and entered: the list's look, the
// separator between the fields of an `Items` line, where the value itself
// appears among them, and whether only listed values may be entered.
class TwColumnListOption : public TwItemListOption
{
public:
    bool ValuesOnly() const { return m_valuesOnly; }
    void SetValuesOnly(bool value) { m_valuesOnly = value; }

private:
    bool m_valuesOnly = true;
};
