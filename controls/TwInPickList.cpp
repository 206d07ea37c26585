#include "controls/TwInPickList.h"

#include <QKeyEvent>
#include <QPainter>

#include "controls/TwInplaceRules.h"
#include "controls/TwItemList.h"
#include "controls/TwMemColumn.h"

TwInPickList::TwInPickList(QWidget* parent) : TwPickList(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setFrame(false);
}

void TwInPickList::SetupFromColumn(const TwMemColumn& column)
{
    SetListModel(TwItemListModel::ForColumn(column));
    SetValuesOnly(column.ListOption().ValuesOnly());
    m_charCase = column.CharCase();
    setFont(column.Font());
    setAlignment(TwInplaceRules::Alignment(column));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, TwInplaceRules::EditorColor(column));
    setPalette(pal);
    m_flatBorder = column.EditBorder() == webSingle;
    setFrame(column.EditBorder() == webSunken);
    const int line = m_flatBorder ? 1 : 0;
    SetMargins(QMargins(column.MarginLeft() + line, column.MarginTop() + line, column.MarginRight() + line,
                        column.MarginBottom() + line));
    // A paired list shows texts from `Items`, which no value limit fits.
    const int limit = Logic().Model().Paired() ? 0 : TwInplaceRules::MaxLength(column);
    setMaxLength(limit > 0 ? limit : 32767);
}

void TwInPickList::SetValue(const QVariant& value)
{
    TwPickList::SetValue(value);
    m_received = value;
    m_receivedText = text();
}

QVariant TwInPickList::Value() const
{
    if (IsDropped())
        return ValueIfAccepted();
    const QVariant value = TwPickList::Value();
    if (!ValuesOnly() || !value.isValid() || text() == m_receivedText)
        return value;
    return Logic().Model().Values().contains(value.toString()) ? value : m_received;
}

bool TwInPickList::KeepsKey(const QKeyEvent& event) const
{
    const int key = event.key();
    if ((event.modifiers() & Qt::AltModifier) && (key == Qt::Key_Up || key == Qt::Key_Down))
        return true;
    if (!IsDropped())
        return false;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return true;
    default: return false;
    }
}

void TwInPickList::keyPressEvent(QKeyEvent* event)
{
    const QString converted = TwInplaceRules::ApplyCharCase(m_charCase, event->text());
    if (converted == event->text()) {
        TwPickList::keyPressEvent(event);
        return;
    }
    QKeyEvent cased(event->type(), event->key(), event->modifiers(), converted, event->isAutoRepeat(),
                    ushort(event->count()));
    TwPickList::keyPressEvent(&cased);
    event->setAccepted(cased.isAccepted());
}

void TwInPickList::paintEvent(QPaintEvent* event)
{
    TwPickList::paintEvent(event);
    if (!m_flatBorder)
        return;
    QPainter painter(this);
    painter.setPen(TwColors::Gray());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

int TwInPickList::BorderWidth() const
{
    return m_flatBorder ? 1 : TwPickList::BorderWidth();
}
