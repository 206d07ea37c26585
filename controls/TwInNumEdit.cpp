#include "controls/TwInNumEdit.h"

#include <QKeyEvent>
#include <QLocale>

#include "controls/TwMemColumn.h"

TwInNumEdit::TwInNumEdit(bool spin, QWidget* parent) : TwCustomNumEdit(parent), m_spin(spin)
{
    SetEnableNull(true);
    SetAutoSelect(false);
    SetBorderStyle(bsNone);
    setFocusPolicy(Qt::ClickFocus);
    // A spin step changes the cell: only when the column may be modified.
    OnSpinClick = [this](QObject*, int, bool& accept) {
        accept = !m_canModify || m_canModify();
        if (!accept)
            Beep();
    };
}

void TwInNumEdit::SetupFromColumn(const TwMemColumn& column)
{
    TwCustomNumEdit::SetupFromColumn(*this, column, m_spin);
    m_dataType = column.DataType();
}

void TwInNumEdit::SetValue(const QVariant& value)
{
    SetCellValue(value);
}

void TwInNumEdit::SelectAll()
{
    EditNum().SelectAll();
    update();
}

void TwInNumEdit::CaretToEnd()
{
    EditNum().MoveCaret(Num().Text().size(), false);
    update();
}

void TwInNumEdit::keyPressEvent(QKeyEvent* event)
{
    // Characters the column type refuses ("-" for unsigned types) beep here.
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)
        && !TwMemColumn::AcceptsChar(m_dataType, false, text[0], locale())) {
        Beep();
        return;
    }
    TwCustomNumEdit::keyPressEvent(event);
}
