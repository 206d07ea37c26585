#pragma once

#include <QChar>
#include <QString>

#include "controls/TwListoption.h"

// A list's look plus how its `Items` lines split into columns and where the
// value itself is shown among them.
class TwItemListOption : public TwListoption
{
public:
    QChar Separator() const { return m_separator; }
    // Only characters above blank are taken.
    void SetSeparator(QChar value)
    {
        if (value.unicode() > u' ')
            m_separator = value;
    }
    // Column at which `Values` is shown as an extra column; -1 none.
    int ValuesIndex() const { return m_valuesIndex; }
    void SetValuesIndex(int value) { m_valuesIndex = value; }
    // Texts of the title row, split at `Separator`.
    QString Titles() const { return m_titles; }
    void SetTitles(const QString& value) { m_titles = value; }

private:
    QChar m_separator = u';';
    int m_valuesIndex = -1;
    QString m_titles;
};
