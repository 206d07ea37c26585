#include "controls/TwInDateEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "controls/TwInplaceRules.h"
#include "controls/TwMemColumn.h"

namespace {
// The day a time-only value lies on in the grid's storage.
const QDate kZeroDay(1899, 12, 30);

bool IsAltOrCtrlStep(const QKeyEvent& event)
{
    return (event.modifiers() & (Qt::AltModifier | Qt::ControlModifier))
           && (event.key() == Qt::Key_Up || event.key() == Qt::Key_Down);
}
} // namespace

TwInDateEdit::TwInDateEdit(QWidget* parent) : TwDateEdit(parent)
{
    SetFocusRect(false);
    setFrame(false);
    setButtonSymbols(QAbstractSpinBox::NoButtons);
    setFocusPolicy(Qt::ClickFocus);
    SetEditFormat(QStringLiteral("yyyy-mm-dd"));
}

QString TwInDateEdit::DefaultFormat(TwDataType type) const
{
    return type == wdtDateTime ? QStringLiteral("yyyy-mm-dd hh:nn:ss") : QStringLiteral("yyyy-mm-dd");
}

void TwInDateEdit::SetupFromColumn(const TwMemColumn& column)
{
    m_dataType = column.DataType();
    SetEditFormat(column.EditFormat().isEmpty() ? DefaultFormat(m_dataType) : column.EditFormat());
    setFont(column.Font());
    setAlignment(TwInplaceRules::Alignment(column));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, TwInplaceRules::EditorColor(column));
    setPalette(pal);
}

QVariant TwInDateEdit::Value() const
{
    if (Empty())
        return {};
    // Reading commits the field being typed, as leaving the picker would.
    const_cast<TwInDateEdit*>(this)->interpretText();
    const QDateTime value = dateTime();
    switch (m_dataType) {
    case wdtDate: return QDateTime(value.date(), QTime(0, 0));
    case wdtTime: return QDateTime(kZeroDay, value.time());
    default: return value;
    }
}

void TwInDateEdit::SelectAll()
{
    setSelectedSection(sectionAt(0));
}

void TwInDateEdit::CaretToEnd()
{
    Field()->end(false);
}

bool TwInDateEdit::KeepsKey(const QKeyEvent& event) const
{
    if (event.key() == Qt::Key_F4)
        return true;
    if (!IsAltOrCtrlStep(event))
        return false;
    // Alt opens the calendar even over an empty picker; a step needs a value.
    return !Empty() || (calendarPopup() && (event.modifiers() & Qt::AltModifier));
}

bool TwInDateEdit::Allowed()
{
    if (!m_canModify || m_canModify())
        return true;
    QApplication::beep();
    return false;
}

void TwInDateEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && !TwMemColumn::AcceptsChar(m_dataType, false, text[0], locale())) {
        QApplication::beep();
        return;
    }
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (calendarPopup() && (key == Qt::Key_F4 || (alt && (key == Qt::Key_Up || key == Qt::Key_Down)))) {
        if (Allowed()) {
            SetEmpty(false);
            ShowCalendar();
        }
        return;
    }
    if (key == Qt::Key_F4)
        return;
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        // One step of the field, whatever modifier brought the key here.
        if (!Empty() && Allowed())
            stepBy(key == Qt::Key_Up || key == Qt::Key_PageUp ? 1 : -1);
        return;
    }
    TwDateEdit::keyPressEvent(event);
}

void TwInDateEdit::mousePressEvent(QMouseEvent* event)
{
    if (calendarPopup() && DropButtonRect().contains(event->position().toPoint()) && !Allowed())
        return;
    TwDateEdit::mousePressEvent(event);
}

void TwInDateEdit::wheelEvent(QWheelEvent* event)
{
    // The wheel scrolls the grid, not the field.
    event->ignore();
}
