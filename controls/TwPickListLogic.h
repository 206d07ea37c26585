#pragma once

#include <QVariant>

#include "controls/TwItemListModel.h"

// The value rules of a pick-list editor, apart from any widget: which listed
// value the editor stands for, what it shows, what opening and closing the
// list do to its text, and what it hands back. The stand-alone pick list and
// the grid's in-place pick list both drive it.
class TwPickListLogic
{
public:
    const TwItemListModel& Model() const { return m_model; }
    void SetModel(const TwItemListModel& model);
    bool ValuesOnly() const { return m_valuesOnly; }
    void SetValuesOnly(bool value) { m_valuesOnly = value; }

    // Takes a value: remembers its line and returns the text to show (its
    // display text, the value itself when not listed, empty for Null).
    QString SetValue(const QVariant& value);
    // The value of the editor showing `text`: the remembered listed value
    // while its text is shown, else the value of the first line showing
    // exactly that text, else the text itself; Null when empty.
    QVariant Value(const QString& text) const;
    int ValueLine() const { return m_line; }
    // The user changed the text by typing: it no longer stands for a line.
    void TextEdited() { m_line = -1; }

    // The list opens over an editor showing `text`: returns the line to
    // preselect (the remembered line while its text is shown, else the
    // first line starting with the text; -1 none).
    int DropDown(const QString& text);
    bool IsDropped() const { return m_dropped; }
    // The list closes; returns the editor's new text. With `accept` and
    // `canModify` a selected line is taken, no selection keeps the typed text
    // as a free value or, with `ValuesOnly`, goes back to the text at opening;
    // otherwise the text at opening comes back.
    QString CloseUp(bool accept, int selectedLine, const QString& text, bool canModify);

private:
    TwItemListModel m_model;
    bool m_valuesOnly = true;
    int m_line = -1;
    bool m_dropped = false;
    QString m_textAtOpen;
    int m_lineAtOpen = -1;
};
