#include "controls/TwPickListLogic.h"

void TwPickListLogic::SetModel(const TwItemListModel& model)
{
    m_model = model;
    m_line = -1;
}

QString TwPickListLogic::SetValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        m_line = -1;
        return {};
    }
    const QString text = value.toString();
    m_line = m_model.Values().indexOf(text);
    return m_line < 0 ? text : m_model.DisplayText(m_line);
}

QVariant TwPickListLogic::Value(const QString& text) const
{
    // Only while the editor still shows the line's text (it may have been cleared).
    if (m_line >= 0 && m_line < m_model.LineCount() && m_model.DisplayText(m_line) == text)
        return m_model.Values()[m_line];
    if (text.isEmpty())
        return {};
    // Text that is exactly a line's display text stands for that line's value.
    for (int line = 0; line < m_model.LineCount(); ++line)
        if (m_model.DisplayText(line) == text)
            return m_model.Values()[line];
    return text;
}

int TwPickListLogic::DropDown(const QString& text)
{
    m_dropped = true;
    m_textAtOpen = text;
    m_lineAtOpen = m_line;
    if (m_line >= 0 && m_model.DisplayText(m_line) == text)
        return m_line;
    return m_model.Find(text);
}

QString TwPickListLogic::CloseUp(bool accept, int selectedLine, const QString& text, bool canModify)
{
    m_dropped = false;
    if (accept && canModify) {
        if (selectedLine >= 0 && selectedLine < m_model.LineCount()) {
            m_line = selectedLine;
            return m_model.DisplayText(selectedLine);
        }
        if (!m_valuesOnly) {
            m_line = -1;
            return text;
        }
    }
    m_line = m_lineAtOpen;
    return m_textAtOpen;
}
