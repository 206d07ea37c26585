#include "controls/TwInMultiEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>

#include "controls/TwInplaceRules.h"
#include "controls/TwMemColumn.h"

TwInMultiEdit::TwInMultiEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(0);
}

void TwInMultiEdit::SetupFromColumn(const TwMemColumn& column)
{
    m_charCase = column.CharCase();
    m_maxLength = TwInplaceRules::MaxLength(column);
    setFont(column.Font());
    QPalette pal = palette();
    pal.setColor(QPalette::Base, TwInplaceRules::EditorColor(column));
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(column.Alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(column.WordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    document()->setDefaultTextOption(option);
    pal.setColor(QPalette::WindowText, TwColors::Gray()); // a single border's line
    setPalette(pal);
    switch (column.EditBorder()) {
    case webNone: setFrameStyle(QFrame::NoFrame); break;
    case webSingle: setFrameStyle(QFrame::Box | QFrame::Plain); break;
    case webSunken: setFrameStyle(QFrame::StyledPanel | QFrame::Sunken); break;
    }
    setLineWidth(1);
    setViewportMargins(column.MarginLeft(), column.MarginTop(), column.MarginRight(), column.MarginBottom());
}

void TwInMultiEdit::SetValue(const QVariant& value)
{
    setPlainText(value.isValid() && !value.isNull() ? value.toString() : QString());
}

QVariant TwInMultiEdit::Value() const
{
    const QString text = toPlainText();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

bool TwInMultiEdit::KeepsKey(const QKeyEvent& event) const
{
    const int key = event.key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter)
        && event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))
        return true;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    // Up/Down stay while there is a line above/below the caret.
    QTextCursor probe = textCursor();
    if (key == Qt::Key_Up)
        return probe.movePosition(QTextCursor::Up);
    if (key == Qt::Key_Down)
        return probe.movePosition(QTextCursor::Down);
    return false;
}

int TwInMultiEdit::Room() const
{
    if (m_maxLength <= 0)
        return INT_MAX;
    const QTextCursor cursor = textCursor();
    const int kept = int(toPlainText().size()) - (cursor.selectionEnd() - cursor.selectionStart());
    return qMax(0, m_maxLength - kept);
}

void TwInMultiEdit::InsertLimited(const QString& text)
{
    const QString cased = TwInplaceRules::ApplyCharCase(m_charCase, text);
    const int room = Room();
    if (room < cased.size())
        QApplication::beep();
    if (room > 0)
        insertPlainText(cased.left(room));
}

void TwInMultiEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Only Ctrl/Shift+Enter reach here (plain Enter belongs to the grid).
        InsertLimited(QStringLiteral("\n"));
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text[0].isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        InsertLimited(text);
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TwInMultiEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText())
        InsertLimited(source->text());
}

