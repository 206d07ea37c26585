#include "controls/TwInEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QValidator>

#include "controls/TwMemColumn.h"

namespace {
// Refuses pasted or typed text holding a character the column does not take.
class TwCharValidator : public QValidator
{
public:
    explicit TwCharValidator(const TwInEdit* edit) : QValidator(const_cast<TwInEdit*>(edit)), m_edit(edit) {}

    State validate(QString& input, int&) const override
    {
        if (m_edit->AnyChar())
            return Acceptable;
        // Blanks of an edit mask stand for positions not typed yet.
        for (const QChar ch : input)
            if (ch != u' ' && !TwMemColumn::AcceptsChar(m_edit->DataType(), false, ch, m_edit->locale()))
                return Invalid;
        return Acceptable;
    }

private:
    const TwInEdit* m_edit;
};
} // namespace

TwInEdit::TwInEdit(QWidget* parent) : TwCustomMaskEdit(parent)
{
    setValidator(new TwCharValidator(this));
}

void TwInEdit::SetupFromColumn(const TwMemColumn& column)
{
    m_dataType = column.DataType();
    const bool pickList = column.EditKind() == wekPickList;
    m_anyChar = pickList || TwMemColumn::AcceptsAnyChar(m_dataType);
    m_charCase = column.CharCase();
    setFont(column.Font());
    SetAlignment(column.Alignment());
    SetLayout(column.Layout());
    SetMargins(column.MarginLeft(), column.MarginTop(), column.MarginRight(), column.MarginBottom());
    SetColor(column.EditColor() ? TwColors::Window() : column.Color());
    setFrame(column.EditBorder() != webNone);
    const bool text = TwIsTextType(m_dataType);
    SetEditMask(text ? column.EditFormat() : QString());
    int maxLength = column.MaxLength() > 0 ? column.MaxLength() : 0;
    if (text && column.DataWidth() > 0)
        maxLength = maxLength > 0 ? qMin(maxLength, column.DataWidth()) : column.DataWidth();
    if (pickList && column.HasItemPairs())
        maxLength = 0;
    if (inputMask().isEmpty())
        setMaxLength(maxLength > 0 ? maxLength : 32767);
}

void TwInEdit::SetValue(const QVariant& value)
{
    SetText(value.isValid() ? value.toString() : QString());
    setModified(false);
}

QVariant TwInEdit::Value() const
{
    const QString text = Text();
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void TwInEdit::CaretToEnd()
{
    deselect();
    end(false);
}

bool TwInEdit::AtTextStart() const
{
    return cursorPosition() == 0 && !hasSelectedText();
}

bool TwInEdit::AtTextEnd() const
{
    if (hasSelectedText() && selectionEnd() < text().size())
        return false;
    return cursorPosition() >= text().size();
}

void TwInEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.at(0).isPrint()
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (character) {
        for (const QChar ch : typed)
            if (!m_anyChar && !TwMemColumn::AcceptsChar(m_dataType, false, ch, locale())) {
                QApplication::beep();
                event->accept();
                return;
            }
        if (m_charCase != ecNormal) {
            const QString converted = m_charCase == ecUpperCase ? typed.toUpper() : typed.toLower();
            if (converted != typed) {
                QKeyEvent changed(event->type(), event->key(), event->modifiers(), converted);
                TwCustomMaskEdit::keyPressEvent(&changed);
                event->setAccepted(changed.isAccepted());
                return;
            }
        }
    }
    TwCustomMaskEdit::keyPressEvent(event);
}
