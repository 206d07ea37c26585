#pragma once

#include <QLineEdit>

#include "controls/TwTypes.h"

// A text box with an edit mask, alignment, vertical layout and inner margins.
//
// `EditMask` takes masks written as "mask;save-literals;blank": "9" an
// optional digit, "0" a required digit, "#" an optional digit or sign,
// "L"/"l" a letter, "A"/"a" a letter or digit, "C"/"c" any character (upper
// case: required), ">"/"<" case conversion, "!" trimming of blanks, "\" the
// next character literally, ":" and "/" the locale's time and date separator,
// "_" a blank. With save-literals "0" the value (`Text`) leaves the literal
// characters out: "9999-99-99;0;" gives "20240131".
class TwCustomMaskEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TwCustomMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString& mask);
    // The value: with save-literals off only the characters typed into the
    // mask positions, otherwise the text with its literals. Blanks are dropped.
    QString Text() const;
    void SetText(const QString& value);

    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment horizontal);
    TwTextLayout Layout() const { return m_layout; }
    void SetLayout(TwTextLayout value);
    void SetMargins(int left, int top, int right, int bottom);
    QMargins Margins() const { return textMargins(); }
    QColor Color() const;
    void SetColor(const QColor& value);
    bool Ctl3D() const { return hasFrame(); }
    void SetCtl3D(bool value) { setFrame(value); }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value) { setReadOnly(value); }

    // The Qt input mask for a mask written as above.
    static QString QtInputMask(const QString& editMask, const QLocale& locale);
    // Whether a mask keeps its literal characters in the value (default yes).
    static bool SavesLiterals(const QString& editMask);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void ApplyAlignment();

    QString m_editMask;
    bool m_saveLiterals = true;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    TwTextLayout m_layout = tlTop;
    // The text when the user last started an edit, for Esc.
    QString m_savedText;
};
