#pragma once

#include <QDateTimeEdit>
#include <QVariant>

// A date/time picker with a drop-down calendar that can also be empty.
//
// `EditFormat` is written with "m" for months and "n" for minutes
// ("yyyy-mm-dd hh:nn"), "am/pm" for a 12-hour clock and "/" and ":" for the
// locale's separators; empty means the locale's short date layout. While
// empty the picker shows only its drop button; Delete empties it (with
// `EnableNull`), a digit, Home, F4/Alt+Down or a date chosen in the calendar
// fill it again.
class TwDateEdit : public QDateTimeEdit
{
    Q_OBJECT

public:
    explicit TwDateEdit(QWidget* parent = nullptr);

    QString EditFormat() const { return m_editFormat; }
    void SetEditFormat(const QString& value);
    bool EnableNull() const { return m_enableNull; }
    // Turning it off fills an empty picker again.
    void SetEnableNull(bool value);
    bool FocusRect() const { return m_focusRect; }
    void SetFocusRect(bool value);

    bool Empty() const { return m_empty; }
    // Empty only while `EnableNull`.
    void SetEmpty(bool value);

    QDateTime DateTime() const { return dateTime(); }
    // Writing a date-time fills an empty picker.
    void SetDateTime(const QDateTime& value);
    // Value exchange with a grid cell: Null stands for the empty picker.
    void SetCellValue(const QVariant& value);
    QVariant CellValue() const;

    // Opens the drop-down calendar.
    void ShowCalendar();

    // The picker's display format for an `EditFormat`.
    static QString ConvertFormat(const QString& editFormat, const QLocale& locale);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Handling of a key while empty; true when it was used or dropped.
    bool EmptyKey(QKeyEvent* event);
    void ApplyFormat();
    // The picker's text field (for the in-place variants).
    QLineEdit* Field() const { return lineEdit(); }
    // Where the drop button of the calendar lies.
    QRect DropButtonRect() const;

private:
    QString m_editFormat;
    bool m_enableNull = true;
    bool m_focusRect = true;
    bool m_empty = false;
};
