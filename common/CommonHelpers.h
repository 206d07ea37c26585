#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;
class TwClientDataSet;

// Small stateless helpers shared by every part of the client. Dates travel as
// eight digits (YYYYMMDD), months as six (YYYYMM).

QString TodayText();                               // the business day (TBusinessClock) as yyyymmdd
// A day for an entry of the month (yyyymm): the business day when it lies in
// the month, otherwise the month's last day; empty for no real month.
QString DayInMonthText(const QString& monthText);
QString DigitsOnly(const QString& text);           // 0-9, and a minus only in first place
QString FormatDateText(const QString& text);       // YYYY-MM-DD when it is a real date
QString DayOfWeekName(const QString& text);        // "화요일" etc., or empty
qint64 TextToInt64(const QString& text);           // forgiving: anything unparsable is 0
QString StepMonth(const QString& monthText, int direction); // throws EConvertError
void ClearContainer(QWidget* container);           // empties the editors of a panel
// Whole-number, currency and BCD fields show "#,##0", float fields "#,##0.#0".
void SetNumericFormats(TwClientDataSet& dataSet);
// A text as a statement literal: between apostrophes, its own apostrophes doubled.
QString QuotedText(const QString& text);
