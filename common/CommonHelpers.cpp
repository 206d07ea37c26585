#include "common/CommonHelpers.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "common/TBusinessClock.h"
#include "controls/EConvertError.h"
#include "controls/TwClientDataSet.h"
#include "controls/TwDataField.h"

namespace {
// The valid calendar date spelled by eight digits, or an invalid date.
QDate DateFromDigits(const QString& digits)
{
    if (digits.size() != 8)
        return {};
    bool okYear = false, okMonth = false, okDay = false;
    const int year = digits.left(4).toInt(&okYear);
    const int month = digits.mid(4, 2).toInt(&okMonth);
    const int day = digits.mid(6, 2).toInt(&okDay);
    if (!okYear || !okMonth || !okDay)
        return {};
    return QDate(year, month, day);
}

// Decimal integer with optional leading blanks and sign; anything else is a
// conversion error carrying the text.
int StrictToInt(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    const QString rest = text.mid(i);
    bool ok = false;
    const int value = rest.toInt(&ok, 10);
    if (!ok || rest.isEmpty() || rest.at(rest.size() - 1).isSpace())
        throw EConvertError::InvalidInteger(text);
    return value;
}

bool IsPanel(const QWidget* w)
{
    if (qobject_cast<const QGroupBox*>(w))
        return true;
    if (qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QLabel*>(w))
        return false;
    return qobject_cast<const QFrame*>(w) || w->metaObject() == &QWidget::staticMetaObject;
}
} // namespace

QString TodayText()
{
    return TBusinessClock::TodayText();
}

QString DigitsOnly(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (i == 0 && c == QLatin1Char('-')))
            result.append(c);
    }
    return result;
}

QString FormatDateText(const QString& text)
{
    const QDate date = DateFromDigits(DigitsOnly(text));
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : text;
}

QString DayOfWeekName(const QString& text)
{
    static const char* const names[] = {"일요일", "월요일", "화요일", "수요일",
                                        "목요일", "금요일", "토요일"};
    if (text.size() != 8)
        return {};
    const QDate date = DateFromDigits(DigitsOnly(text));
    if (!date.isValid())
        return {};
    return QString::fromUtf8(names[date.dayOfWeek() % 7]); // Qt: Monday 1 .. Sunday 7
}

qint64 TextToInt64(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    const QString rest = text.mid(i);
    bool ok = false;
    const qint64 value = rest.toLongLong(&ok, 10);
    if (!ok || rest.at(rest.size() - 1).isSpace())
        return 0;
    return value;
}

QString DayInMonthText(const QString& monthText)
{
    const QString today = TodayText();
    if (monthText == today.left(6))
        return today;
    const QDate first = QDate::fromString(monthText + QStringLiteral("01"), QStringLiteral("yyyyMMdd"));
    if (monthText.size() != 6 || !first.isValid())
        return QString();
    return QDate(first.year(), first.month(), first.daysInMonth()).toString(QStringLiteral("yyyyMMdd"));
}

QString StepMonth(const QString& monthText, int direction)
{
    QString text = monthText.trimmed();
    if (text.isEmpty())
        text = TodayText().left(6);
    int year = StrictToInt(text.mid(0, 4));
    int month = StrictToInt(text.mid(4, 2));
    if (direction < 0) {
        if (month == 1) {
            month = 12;
            --year;
        } else {
            --month;
        }
    } else {
        ++month;
        if (month > 12) {
            month = 1;
            ++year;
        }
    }
    const QString yearText = QStringLiteral("%1").arg(qAbs(year), 4, 10, QLatin1Char('0'));
    return (year < 0 ? QStringLiteral("-") : QString()) + yearText
           + QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

void ClearContainer(QWidget* container)
{
    if (!container || !IsPanel(container))
        return;
    const auto children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (auto* edit = qobject_cast<QLineEdit*>(child))
            edit->clear();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(child))
            memo->clear();
        else if (auto* rich = qobject_cast<QTextEdit*>(child))
            rich->clear();
        else if (auto* combo = qobject_cast<QComboBox*>(child))
            combo->setCurrentIndex(-1);
        else if (child->metaObject()->indexOfProperty("Value") >= 0)
            child->setProperty("Value", 0.0); // numeric edits publish their value as "Value"
    }
}

void SetNumericFormats(TwClientDataSet& dataSet)
{
    for (int f = 0; f < dataSet.FieldCount(); ++f) {
        TwDataField* field = dataSet.Fields(f);
        if (field->DataType() == wftFloat)
            field->SetDisplayFormat(QStringLiteral("#,##0.#0"));
        else if (TwIsNumericField(field->DataType()))
            field->SetDisplayFormat(QStringLiteral("#,##0"));
    }
}

QString QuotedText(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}
