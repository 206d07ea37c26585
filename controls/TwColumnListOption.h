#pragma once

#include <QChar>
#include <QString>

// How a column's value list is shown: the separator between the fields of an
// `Items` line and where the value itself appears among them.
class TwColumnListOption
{
public:
    QChar Separator() const { return m_separator; }
    // Only characters above blank are taken.
    void SetSeparator(QChar value)
    {
        if (value.unicode() > u' ')
            m_separator = value;
    }
    int ValuesIndex() const { return m_valuesIndex; }
    void SetValuesIndex(int value) { m_valuesIndex = value; }
    bool ValuesOnly() const { return m_valuesOnly; }
    void SetValuesOnly(bool value) { m_valuesOnly = value; }

private:
    QChar m_separator = u';';
    int m_valuesIndex = -1;
    bool m_valuesOnly = true;
};
