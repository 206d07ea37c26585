#pragma once

#include <QPlainTextEdit>

#include "controls/TwInplaceEditor.h"
#include "controls/TwTypes.h"

// The multi-line text editor the grid places over a text cell (editor kind
// 2). Like the single-line editor it takes the column's alignment,
// character case, font, colour, margins, border and length limit, and gives
// back its text (Null when empty). Up and Down move between its lines and
// leave it only at the first and last line; Enter belongs to the grid, so a
// new line is typed with Ctrl+Enter or Shift+Enter.
class TwInMultiEdit : public QPlainTextEdit, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInMultiEdit(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    void SetValue(const QVariant& value) override;
    QVariant Value() const override;
    void SelectAll() override { selectAll(); }
    void CaretToEnd() override { moveCursor(QTextCursor::End); }
    bool AtTextStart() const override { return textCursor().atStart(); }
    bool AtTextEnd() const override { return textCursor().atEnd(); }
    bool KeepsKey(const QKeyEvent& event) const override;

    // Characters the text may hold; 0 = no limit.
    int MaxLength() const { return m_maxLength; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Room left for typed text when the selection is replaced.
    int Room() const;
    void InsertLimited(const QString& text);

    TwEditCharCase m_charCase = ecNormal;
    int m_maxLength = 0;
};
