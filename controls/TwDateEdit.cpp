#include "controls/TwDateEdit.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QStyleOptionComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "controls/TwLocaleFormats.h"

namespace {

// One piece of a format under conversion; `Fixed` pieces are already in the
// picker's syntax (locale layouts, quoted text) and are not converted again.
struct Piece {
    QString Text;
    bool Fixed;
};

QString Quoted(const QString& text)
{
    QString inner = text;
    inner.replace(u'\'', QStringLiteral("''"));
    return u'\'' + inner + u'\'';
}

QList<Piece> FirstPass(const QString& format, const QLocale& locale, bool& twelveHour)
{
    QList<Piece> pieces;
    const auto fixed = [&](const QString& text) { pieces.append({text, true}); };
    for (int i = 0; i < format.size();) {
        const QStringView rest = QStringView(format).mid(i);
        const QChar ch = format[i];
        if (ch == u'"' || ch == u'\'') {
            const int close = format.indexOf(ch, i + 1);
            const int end = close < 0 ? format.size() : close;
            fixed(Quoted(format.mid(i + 1, end - i - 1)));
            i = end + 1;
        } else if (ch == u'c') {
            fixed(locale.dateFormat(QLocale::ShortFormat));
            ++i;
        } else if (rest.startsWith(u"am/pm") || rest.startsWith(u"ampm") || rest.startsWith(u"a/p")) {
            fixed(QStringLiteral("AP"));
            twelveHour = true;
            i += rest.startsWith(u"am/pm") ? 5 : rest.startsWith(u"ampm") ? 4 : 3;
        } else if (rest.startsWith(u"dddddd")) {
            fixed(locale.dateFormat(QLocale::LongFormat));
            i += 6;
        } else if (rest.startsWith(u"ddddd")) {
            fixed(locale.dateFormat(QLocale::ShortFormat));
            i += 5;
        } else if (rest.startsWith(u"tt")) {
            fixed(locale.timeFormat(QLocale::LongFormat));
            i += 2;
        } else if (ch == u't') {
            fixed(locale.timeFormat(QLocale::ShortFormat));
            ++i;
        } else if (ch == u'/') {
            fixed(Quoted(TwLocaleFormats::DateSeparator(locale)));
            ++i;
        } else if (ch == u':') {
            fixed(Quoted(TwLocaleFormats::TimeSeparator(locale)));
            ++i;
        } else {
            pieces.append({QString(ch), false});
            ++i;
        }
    }
    return pieces;
}

} // namespace

QString TwDateEdit::ConvertFormat(const QString& editFormat, const QLocale& locale)
{
    bool twelveHour = false;
    const QList<Piece> pieces = FirstPass(editFormat.toLower(), locale, twelveHour);
    QString out;
    for (const Piece& piece : pieces) {
        if (piece.Fixed) {
            out += piece.Text;
            continue;
        }
        const QChar ch = piece.Text[0];
        if (ch == u'm')
            out += u'M';
        else if (ch == u'n')
            out += u'm';
        else if (ch == u'h')
            out += twelveHour ? u'h' : u'H';
        else
            out += ch;
    }
    return out;
}

TwDateEdit::TwDateEdit(QWidget* parent) : QDateTimeEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(true);
    ApplyFormat();
    const auto fill = [this](QDate) { SetEmpty(false); };
    connect(calendarWidget(), &QCalendarWidget::clicked, this, fill);
    connect(calendarWidget(), &QCalendarWidget::activated, this, fill);
}

void TwDateEdit::ApplyFormat()
{
    setDisplayFormat(m_editFormat.isEmpty() ? locale().dateFormat(QLocale::ShortFormat)
                                            : ConvertFormat(m_editFormat, locale()));
}

void TwDateEdit::SetEditFormat(const QString& value)
{
    m_editFormat = value;
    ApplyFormat();
}

void TwDateEdit::SetEnableNull(bool value)
{
    m_enableNull = value;
    if (!value)
        SetEmpty(false);
}

void TwDateEdit::SetFocusRect(bool value)
{
    m_focusRect = value;
    update();
}

void TwDateEdit::SetEmpty(bool value)
{
    value = value && m_enableNull;
    if (value == m_empty)
        return;
    m_empty = value;
    lineEdit()->setVisible(!value);
    update();
}

void TwDateEdit::SetDateTime(const QDateTime& value)
{
    setDateTime(value);
    SetEmpty(false);
}

void TwDateEdit::SetCellValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull()) {
        SetEmpty(true);
        return;
    }
    QDateTime when = value.toDateTime();
    if (!when.isValid() && value.canConvert<QTime>() && value.toTime().isValid())
        when = QDateTime(date(), value.toTime());
    if (when.isValid())
        SetDateTime(when);
}

QVariant TwDateEdit::CellValue() const
{
    if (m_empty)
        return {};
    return dateTime();
}

bool TwDateEdit::EmptyKey(QKeyEvent* event)
{
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    const QString text = event->text();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape || key == Qt::Key_Return
        || key == Qt::Key_Enter) {
        return false;
    }
    if (key == Qt::Key_Home) {
        SetDateTime(QDateTime(QDate::currentDate(), time()));
    } else if (key == Qt::Key_F4 || (alt && key == Qt::Key_Down)) {
        return false; // opens the calendar, which fills the picker
    } else if (text.size() == 1 && (text[0].isDigit() || text[0] == u'.')) {
        // Editing starts in the first field, as a click at its left would start it.
        SetEmpty(false);
        setSelectedSection(sectionAt(0));
        if (text[0] == u'.')
            return true;
        return false;
    }
    return true;
}

QRect TwDateEdit::DropButtonRect() const
{
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.frame = hasFrame();
    option.subControls = QStyle::SC_All;
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
}

void TwDateEdit::ShowCalendar()
{
    // The picker opens its calendar on a press of its drop button.
    const QPointF at = DropButtonRect().center();
    QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(this, &release);
}

void TwDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_empty && EmptyKey(event))
        return;
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down)) {
        SetEmpty(false);
        ShowCalendar();
        return;
    }
    if (!m_empty && event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        // The picker has no empty field: Delete empties it or does nothing.
        SetEmpty(true);
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void TwDateEdit::wheelEvent(QWheelEvent* event)
{
    if (m_empty)
        return;
    QDateTimeEdit::wheelEvent(event);
}

void TwDateEdit::paintEvent(QPaintEvent* event)
{
    QDateTimeEdit::paintEvent(event);
    if (!m_empty || !hasFocus() || !m_focusRect)
        return;
    // A dotted rectangle where the text would be (styles may draw none of their own).
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter.drawRect(lineEdit()->geometry().adjusted(1, 1, -2, -2));
}
