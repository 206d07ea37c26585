#include "controls/TwPickList.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include "controls/TwItemList.h"

TwPickList::TwPickList(QWidget* parent)
    : QLineEdit(parent), m_list(new TwItemList(this)), m_button(new QToolButton(this))
{
    // A window of its own that never takes the focus from the text box.
    m_list->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->OnLineClick = [this](int) { CloseUp(true); };
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    connect(m_button, &QToolButton::clicked, this, [this] {
        if (IsDropped()) {
            CloseUp(true);
        } else {
            setFocus(Qt::MouseFocusReason);
            DropDown();
        }
    });
    connect(this, &QLineEdit::textEdited, this, &TwPickList::Edited);
}

void TwPickList::SetList(const QStringList& items, const QStringList& values, const TwItemListOption& option)
{
    SetListModel(TwItemListModel(items, values, option));
}

void TwPickList::SetListModel(const TwItemListModel& model)
{
    if (IsDropped())
        CloseUp(false);
    m_logic.SetModel(model);
    m_list->SetModel(model);
    setText({});
}

void TwPickList::SetValue(const QVariant& value)
{
    if (IsDropped())
        CloseUp(false);
    setText(m_logic.SetValue(value));
}

void TwPickList::DropDown()
{
    if (IsDropped())
        return;
    m_list->SetModel(m_logic.Model());
    const int line = m_logic.DropDown(text());
    PlaceList();
    m_list->show();
    m_list->SetItemIndex(line);
    if (OnDropDown)
        OnDropDown(this);
}

void TwPickList::CloseUp(bool accept)
{
    if (!IsDropped())
        return;
    m_list->hide();
    const bool allowed = !CanModify || CanModify();
    const QString newText = m_logic.CloseUp(accept, m_list->ItemIndex(), text(), allowed);
    if (newText != text())
        setText(newText);
    if (OnCloseUp)
        OnCloseUp(this, accept);
}

void TwPickList::PlaceList()
{
    const QSize size = m_list->DropDownSize(width());
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QScreen* shown = screen();
    if (shown && at.y() + size.height() > shown->availableGeometry().bottom())
        at = mapToGlobal(QPoint(0, -size.height()));
    m_list->setGeometry(QRect(at, size));
}

void TwPickList::Edited()
{
    m_logic.TextEdited();
    if (IsDropped())
        m_list->Search(text());
}

bool TwPickList::HandleListKey(QKeyEvent* event)
{
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (alt && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        if (IsDropped())
            CloseUp(true);
        else
            DropDown();
        return true;
    }
    if (!IsDropped())
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        CloseUp(true);
        return true;
    }
    if (key == Qt::Key_Escape) {
        CloseUp(false);
        return true;
    }
    return m_list->MoveSelection(key);
}

void TwPickList::keyPressEvent(QKeyEvent* event)
{
    if (HandleListKey(event))
        return;
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed[0].isPrint()
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !isReadOnly() && m_logic.Model().Option().AutoDrop())
        DropDown();
    QLineEdit::keyPressEvent(event);
}

void TwPickList::inputMethodEvent(QInputMethodEvent* event)
{
    if ((!event->commitString().isEmpty() || !event->preeditString().isEmpty()) && !isReadOnly()
        && m_logic.Model().Option().AutoDrop())
        DropDown();
    QLineEdit::inputMethodEvent(event);
}

void TwPickList::focusOutEvent(QFocusEvent* event)
{
    CloseUp(false);
    QLineEdit::focusOutEvent(event);
}

void TwPickList::hideEvent(QHideEvent* event)
{
    CloseUp(false);
    QLineEdit::hideEvent(event);
}

QVariant TwPickList::ValueIfAccepted() const
{
    if (!IsDropped())
        return Value();
    TwPickListLogic closed = m_logic;
    return closed.Value(closed.CloseUp(true, m_list->ItemIndex(), text(), true));
}

void TwPickList::SetMargins(const QMargins& margins)
{
    m_margins = margins;
    PlaceButton();
}

int TwPickList::BorderWidth() const
{
    return hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
}

void TwPickList::PlaceButton()
{
    const int frame = BorderWidth();
    const int side = qMax(0, height() - 2 * frame);
    m_button->setGeometry(width() - frame - side, frame, side, side);
    setTextMargins(m_margins.left(), m_margins.top(), m_margins.right() + side, m_margins.bottom());
}

void TwPickList::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    PlaceButton();
}
