#pragma once

#include <QColor>
#include <QString>
#include <functional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;
class TQuery;
class TwCustomMaskEdit;
class TwNumEdit;

// The pieces every editor panel is built from, so that the screens look and
// behave alike: captions, code boxes with their lookup button and name box,
// amount boxes, date boxes and length-limited memos.
namespace PanelEditors {

// The background of the boxes a user fills first.
QColor MoneyGreen();

QLabel* Caption(const QString& text, QWidget* parent);
QLineEdit* Edit(const QString& name, QWidget* parent, int maxLength = 0);

// A name box beside a code box: filled by the screen, never typed into.
QLineEdit* NameBox(const QString& name, QWidget* parent);
QPushButton* LookupButton(const QString& name, QWidget* parent);

// A code box of `codeWidth` pixels, its lookup button and its name box in
// one row; the name box takes the rest of the width.
struct TCodeLine {
    QLineEdit* code;
    QPushButton* button;
    QLineEdit* name;
    QHBoxLayout* row;
};
TCodeLine CodeLine(const QString& codeName, const QString& buttonName, const QString& nameName, int codeWidth,
                   QWidget* parent);

// A whole amount of up to ten digits, grouped by thousands.
TwNumEdit* AmountBox(const QString& name, QWidget* parent);
// An eight-digit date typed as YYYY-MM-DD; its Text() is the digits only.
TwCustomMaskEdit* DateBox(const QString& name, QWidget* parent);
// A month typed as YYYY-MM between a − and a + button that step it a month
// back or forward (an empty box steps from the current month); Text() is the
// six digits. The controls are named btnMinus, medMonth and btnPlus.
struct TMonthLine {
    QToolButton* minus;
    TwCustomMaskEdit* month;
    QToolButton* plus;
    QHBoxLayout* row;
};
TMonthLine MonthLine(QWidget* parent);

// Places a search-bar control; the search bar lays them out left to right.
using TAddControl = std::function<void(QWidget*)>;

// A search condition: its caption, a code box of `maxLength` characters and
// `codeWidth` pixels, its lookup button and a name box of `nameWidth` pixels,
// named edt_<base>, bbt_<base> and edt_<base>Name.
struct TSearchCode {
    QLineEdit* code;
    QPushButton* button;
    QLineEdit* name;
};
TSearchCode SearchCode(const QString& caption, const QString& base, int maxLength, int codeWidth, int nameWidth,
                       const TAddControl& add);
// A month condition: its caption and a month line in one box.
TMonthLine SearchMonth(const QString& caption, const TAddControl& add);

// The first column of the first row `statement` reads with `param` bound to
// `code`; empty when the code is empty or names nothing.
QString CodeName(TQuery& query, const QString& statement, const QString& param, const QString& code);
// Gives a box the money-green background.
void SetMoneyGreen(QWidget* box);

// Cuts whatever was just typed or pasted beyond `limit` characters, as a
// length-limited edit does. Connect before any other textChanged handler.
void LimitLength(QPlainTextEdit* memo, int limit);

// An amount as the procedures take it: the shortest decimal text, no grouping.
QString AmountText(double value);
// A cell's amount as a whole number; false when the text holds none.
bool WholeAmount(const QString& text, double& value);
// A cell's text as a whole amount, 0 when it is none.
double CellAmount(const QString& text);

// The code lookup in a mode; the picked code, empty when nothing was picked.
QString PickCode(const QString& mode);
// The same with the picked row's name; both empty when nothing was picked.
struct TPicked {
    QString code;
    QString name;
};
TPicked PickCodeAndName(const QString& mode);

} // namespace PanelEditors
