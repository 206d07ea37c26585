#pragma once

#include <QString>
#include <QVariant>
#include <vector>

#include "controls/TwFieldType.h"

// Where a client-side result set takes its records from: the field layout
// of the source, then its records one after another.
class TwRecordProvider
{
public:
    struct FieldDef
    {
        QString name;
        TwFieldType type = wftString;
    };

    virtual ~TwRecordProvider() = default;
    virtual std::vector<FieldDef> FieldDefs() = 0;
    // The next record, one value per field def (Null: an invalid QVariant);
    // false at the end.
    virtual bool FetchRecord(std::vector<QVariant>& values) = 0;
};
