#pragma once

#include "controls/TwInplaceEditor.h"
#include "controls/TwPickList.h"
#include "controls/TwTypes.h"

// The drop-down pick list the grid places over a cell with a value list
// (editor kind 10). It shows the column's `Items`/`Values` with the column's
// list look (`AutoDrop`, `ValuesIndex`, sizes) and takes the column's
// alignment, character case, font, colour, margins, border and length
// limit (none when `Items` and `Values` pair). A listed value comes back as
// `Values[k]`; with `ValuesOnly` a typed text that names no line gives back
// the value the editor received.
class TwInPickList : public TwPickList, public TwInplaceEditor
{
    Q_OBJECT

public:
    explicit TwInPickList(QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void SetupFromColumn(const TwMemColumn& column) override;
    void SetValue(const QVariant& value) override;
    QVariant Value() const override;
    void SelectAll() override { selectAll(); }
    void CaretToEnd() override { end(false); }
    bool AtTextStart() const override { return cursorPosition() == 0; }
    bool AtTextEnd() const override { return cursorPosition() == text().size(); }
    bool KeepsKey(const QKeyEvent& event) const override;
    void SetCanModify(std::function<bool()> check) override { CanModify = std::move(check); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    int BorderWidth() const override;

private:
    TwEditCharCase m_charCase = ecNormal;
    bool m_flatBorder = true;
    // What SetValue gave and the text it showed.
    QVariant m_received;
    QString m_receivedText;
};
