#include "screens/PanelEditors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>
#include <cmath>

#include "common/CommonHelpers.h"
#include "common/TQuery.h"
#include "controls/TwCustomMaskEdit.h"
#include "controls/TwNumEdit.h"
#include "framework/GeneralErrorHandler.h"
#include "screens/ni/TfrmNIH001.h"

namespace PanelEditors {

QColor MoneyGreen()
{
    return QColor(192, 220, 192);
}

QLabel* Caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setMinimumWidth(70);
    return label;
}

QLineEdit* Edit(const QString& name, QWidget* parent, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* NameBox(const QString& name, QWidget* parent)
{
    QLineEdit* edit = Edit(name, parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
    return edit;
}

QPushButton* LookupButton(const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(name);
    button->setFixedSize(24, 22);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TCodeLine CodeLine(const QString& codeName, const QString& buttonName, const QString& nameName, int codeWidth,
                   QWidget* parent)
{
    TCodeLine line{};
    line.row = new QHBoxLayout();
    line.row->setSpacing(2);
    line.code = Edit(codeName, parent);
    line.code->setFixedWidth(codeWidth);
    line.button = LookupButton(buttonName, parent);
    line.name = NameBox(nameName, parent);
    line.row->addWidget(line.code);
    line.row->addWidget(line.button);
    line.row->addWidget(line.name, 1);
    return line;
}

TwNumEdit* AmountBox(const QString& name, QWidget* parent)
{
    auto* box = new TwNumEdit(parent);
    box->setObjectName(name);
    box->SetPrecision(0);
    box->SetMaxLength(10);
    box->SetThousandSep(true);
    box->setFixedHeight(22);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

TwCustomMaskEdit* DateBox(const QString& name, QWidget* parent)
{
    auto* box = new TwCustomMaskEdit(parent);
    box->setObjectName(name);
    box->SetEditMask(QStringLiteral("9999-99-99;0;"));
    box->SetLayout(tlCenter); // level with the text of the boxes beside it
    box->setFixedWidth(90);
    return box;
}

TMonthLine MonthLine(QWidget* parent)
{
    TMonthLine line{};
    line.row = new QHBoxLayout();
    line.row->setSpacing(1);
    line.month = new TwCustomMaskEdit(parent);
    line.month->setObjectName(QStringLiteral("medMonth"));
    line.month->SetEditMask(QStringLiteral("!9999-99;0;"));
    line.month->setFixedWidth(70);
    auto stepper = [parent, &line](const QString& name, const QString& caption, int direction) {
        auto* button = new QToolButton(parent);
        button->setObjectName(name);
        button->setText(caption);
        button->setFixedSize(22, 22);
        button->setFocusPolicy(Qt::NoFocus);
        TwCustomMaskEdit* month = line.month;
        // A month that is no month is reported, the box keeps it.
        QObject::connect(button, &QToolButton::clicked, month, [month, direction] {
            RunCommand([&] { month->SetText(StepMonth(month->Text(), direction)); });
        });
        return button;
    };
    line.minus = stepper(QStringLiteral("btnMinus"), QStringLiteral("-"), -1);
    line.plus = stepper(QStringLiteral("btnPlus"), QStringLiteral("+"), 1);
    line.row->addWidget(line.minus);
    line.row->addWidget(line.month);
    line.row->addWidget(line.plus);
    return line;
}

TSearchCode SearchCode(const QString& caption, const QString& base, int maxLength, int codeWidth, int nameWidth,
                       const TAddControl& add)
{
    add(new QLabel(caption));
    TSearchCode line{};
    line.code = Edit(QStringLiteral("edt_") + base, nullptr, maxLength);
    line.code->setFixedWidth(codeWidth);
    add(line.code);
    line.button = LookupButton(QStringLiteral("bbt_") + base, nullptr);
    add(line.button);
    line.name = NameBox(QStringLiteral("edt_") + base + QStringLiteral("Name"), nullptr);
    line.name->setFixedWidth(nameWidth);
    add(line.name);
    return line;
}

TMonthLine SearchMonth(const QString& caption, const TAddControl& add)
{
    add(new QLabel(caption));
    auto* box = new QWidget();
    TMonthLine line = MonthLine(box);
    line.row->setContentsMargins(0, 0, 0, 0);
    box->setLayout(line.row);
    add(box);
    return line;
}

QString CodeName(TQuery& query, const QString& statement, const QString& param, const QString& code)
{
    if (code.isEmpty())
        return QString();
    query.Close();
    query.SQL().clear();
    query.SQL() << statement;
    query.ParamByName(param).SetAsString(code);
    query.Open();
    const QString name = query.Eof() ? QString() : query.Fields(0).AsString();
    query.Close();
    return name;
}

void SetMoneyGreen(QWidget* box)
{
    if (auto* number = qobject_cast<TwNumEdit*>(box)) {
        number->SetColor(MoneyGreen());
        return;
    }
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, MoneyGreen());
    box->setPalette(palette);
}

void LimitLength(QPlainTextEdit* memo, int limit)
{
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, limit] {
        const int excess = int(memo->toPlainText().size()) - limit;
        if (excess <= 0)
            return;
        const QSignalBlocker quiet(memo);
        QTextCursor cursor = memo->textCursor();
        const int end = cursor.position();
        cursor.setPosition(qMax(0, end - excess));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        memo->setTextCursor(cursor);
    });
}

QString AmountText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

bool WholeAmount(const QString& text, double& value)
{
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double number = plain.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return false;
    value = std::round(number);
    return true;
}

double CellAmount(const QString& text)
{
    double value = 0;
    return WholeAmount(text, value) ? value : 0;
}

QString PickCode(const QString& mode)
{
    return PickCodeAndName(mode).code;
}

TPicked PickCodeAndName(const QString& mode)
{
    TfrmNIH001 dialog;
    dialog.SetLookupMode(mode);
    dialog.ShowModal();
    return {dialog.PickedCode(), dialog.PickedName()};
}

} // namespace PanelEditors
