#pragma once

#include <optional>

#include "server/TLeaseStore.h"

class TProcedureArgs;

// One row of the management-fee sheet, checked: the site is a registered
// shop, the month is valid and open, exactly one contract of the site runs in
// that month, and the amounts add up. A refusal names the site and month.
class TFeeImportRow
{
public:
    struct Checked
    {
        TLeaseStore::Contract contract;
        TLeaseStore::Bill bill; // without its billing date
    };
    // Empty for a row whose every cell is empty.
    static std::optional<Checked> Check(TLeaseStore& store, const TProcedureArgs& a);
};
