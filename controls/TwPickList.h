#pragma once

#include <QLineEdit>
#include <QVariant>
#include <functional>

#include "controls/TwPickListLogic.h"

class QToolButton;
class TwItemList;

// A text box with a drop-down value list of several columns. The list opens
// with Alt+Down/Alt+Up, the drop button or, with `AutoDrop`, by typing, and
// searches as the user types; Enter (or Alt+Up/Down) takes the selected
// line, Esc or leaving the box cancels. The focus stays in the text box while
// the list is open; the list only shows.
class TwPickList : public QLineEdit
{
    Q_OBJECT

public:
    explicit TwPickList(QWidget* parent = nullptr);

    // The list's lines and look; the editor's value is reset.
    void SetList(const QStringList& items, const QStringList& values, const TwItemListOption& option);
    // The same from a ready model (a grid column's: `TwItemListModel::ForColumn`).
    void SetListModel(const TwItemListModel& model);
    const TwPickListLogic& Logic() const { return m_logic; }
    bool ValuesOnly() const { return m_logic.ValuesOnly(); }
    void SetValuesOnly(bool value) { m_logic.SetValuesOnly(value); }
    TwItemList* List() const { return m_list; }

    // Value exchange: a listed value shows its display text; Null is empty.
    QVariant Value() const { return m_logic.Value(text()); }
    void SetValue(const QVariant& value);

    bool IsDropped() const { return m_logic.IsDropped(); }
    // The value the editor would hand back if the open list closed now,
    // accepting its selected line.
    QVariant ValueIfAccepted() const;
    // Inner margins around the text (the drop button's room is added).
    void SetMargins(const QMargins& margins);
    void DropDown();
    void CloseUp(bool accept);

    // Asked before a choice from the list is taken; unset means allowed.
    std::function<bool()> CanModify;
    std::function<void(QObject* Sender)> OnDropDown;
    std::function<void(QObject* Sender, bool bAccept)> OnCloseUp;

    // Keys of an open list; true when used.
    bool HandleListKey(QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Width of the border the drop button stays inside.
    virtual int BorderWidth() const;
    void PlaceButton();

private:
    void PlaceList();
    void Edited();

    TwPickListLogic m_logic;
    TwItemList* m_list;
    QToolButton* m_button;
    QMargins m_margins;
};
