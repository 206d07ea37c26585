#pragma once

#include <QVariant>
#include <functional>

class QKeyEvent;
class QWidget;
class TwMemColumn;

// Editor kinds of a column: which in-place editor the grid shows on a cell.
enum TwEditKind {
    wekNone = 0,
    wekText = 1,
    wekMultiText = 2,
    wekCheckBox = 3,
    wekBoolean = 4,
    wekRadioGroup = 5,
    wekNumber = 6,
    wekSpinEdit = 7,
    wekDate = 8,
    wekTime = 9,
    wekPickList = 10,
    wekDataList = 11,
    wekLookupList = 12,
    wekMemo = 13,
    wekPicture = 14
};

// What the grid needs of an editor that sits on its current cell. The grid
// owns one editor per kind, gives it the column before showing it, exchanges
// the cell value with it as a variant (a Boolean for kinds 3 and 4, the index
// into `Values` for kind 5, Null for an empty editor) and routes keys by
// filtering the editor widget's events.
class TwInplaceEditor
{
public:
    virtual ~TwInplaceEditor() = default;

    virtual QWidget* Widget() = 0;
    // Takes the column's look and limits: alignment, font, colours, mask,
    // maximum length, accepted characters, list items.
    virtual void SetupFromColumn(const TwMemColumn& column) = 0;
    virtual void SetValue(const QVariant& value) = 0;
    virtual QVariant Value() const = 0;
    // Text editors: select everything / put the caret at the end, and tell
    // whether the caret stands at either edge of the text (arrow keys leave
    // the editor there). Editors without text are always at both edges.
    virtual void SelectAll() {}
    virtual void CaretToEnd() {}
    virtual bool AtTextStart() const { return true; }
    virtual bool AtTextEnd() const { return true; }
    // Check box, Boolean picture and radio group change at a click.
    virtual bool TogglesOnClick() const { return false; }
    virtual void Toggle() {}
    // Keys the editor uses itself although the grid would take them (an
    // open list, a picker field stepped with Ctrl+Up): the grid leaves them.
    virtual bool KeepsKey(const QKeyEvent& event) const { return false; }
    // The grid's answer to "may the column be modified" (which starts editing
    // the row). Editors ask it before a change the grid does not see as a
    // typed key: a choice from a list or calendar, a click, a spin button.
    // Unset, every change is allowed.
    virtual void SetCanModify(std::function<bool()> check) { Q_UNUSED(check); }
};
