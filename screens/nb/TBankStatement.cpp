#include "screens/nb/TBankStatement.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <utility>

#include "common/TExcelWorkbook.h"
#include "common/TExcelWorkbooks.h"
#include "common/TExcelWorksheet.h"
#include "controls/ESelvarError.h"

namespace BankStatement {

namespace {

// How far down the title row may stand: banks put the account, the period
// and the owner above it.
constexpr int TitleSearchRows = 30;

// Titles of each field in the downloads we know, most specific first. A title
// matches when, without blanks and brackets, it equals one of them; failing
// that, when it contains one (so "입금액(원)" is a deposit).
struct TTitleWords
{
    int TBankColumns::*field;
    QStringList words;
};

const std::vector<TTitleWords>& Titles()
{
    // The depositor comes before the deposit: "입금자명" contains "입금".
    static const std::vector<TTitleWords> titles{
        {&TBankColumns::depositor,
         {"입금자/내용", "입금자명", "입금자", "보낸분", "보낸분/받는분", "받는분/보낸분", "의뢰인", "기재내용",
          "내용", "거래내용"}},
        {&TBankColumns::balance, {"거래후잔액", "잔액", "잔고"}},
        {&TBankColumns::date, {"거래일시", "거래일자", "거래일", "일자", "날짜", "일시"}},
        {&TBankColumns::time, {"거래시간", "거래시각", "시간", "시각"}},
        {&TBankColumns::deposit, {"입금액", "입금금액", "맡기신금액", "맡기신", "받은금액", "입금"}},
        {&TBankColumns::withdrawal, {"출금액", "출금금액", "찾으신금액", "찾으신", "지급액", "지급금액", "출금", "지급"}},
        {&TBankColumns::memo, {"적요", "거래구분", "구분", "메모"}},
    };
    return titles;
}

QString Bare(const QString& text)
{
    QString bare = text;
    bare.remove(QRegularExpression(QStringLiteral("[\\s()\\[\\]]|원")));
    return bare;
}

QString CellText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'f', 2);
    }
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return v.toString().trimmed();
}

QVariant Cell(const TBankTable& table, int row, int col)
{
    if (row < 0 || row >= int(table.size()) || col < 0 || col >= int(table[row].size()))
        return QVariant();
    return table[row][col];
}

// The columns a row's titles name; each field takes the first column that
// fits it, and an exact title beats one that only contains the word.
TBankColumns ColumnsOf(const TBankTable& table, int row)
{
    TBankColumns found;
    const QStringList texts = RowTexts(table, row);
    for (int pass = 0; pass < 2; ++pass)
        for (int col = 0; col < texts.size(); ++col) {
            const QString title = Bare(texts[col]);
            if (title.isEmpty())
                continue;
            bool used = false;
            for (const TTitleWords& t : Titles())
                if (found.*t.field == col)
                    used = true;
            if (used)
                continue;
            for (const TTitleWords& t : Titles()) {
                if (found.*t.field >= 0)
                    continue;
                bool fits = false;
                for (const QString& w : t.words)
                    fits = fits || (pass == 0 ? title == w : title.contains(w));
                if (fits) {
                    found.*t.field = col;
                    break;
                }
            }
        }
    found.titleRow = row;
    return found;
}

[[noreturn]] void Refuse(int sheetRow, const QString& message)
{
    throw ESelvarError(QStringLiteral("%1행: %2").arg(sheetRow).arg(message));
}

// An amount as banks write it: "1,234,000", "1234000", "₩1,234", "-" or
// nothing for none. Anything else is refused with the row and the text.
double Amount(const QVariant& v, int sheetRow, const QString& title)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
        return v.toDouble();
    QString text = CellText(v);
    text.remove(QRegularExpression(QStringLiteral("[\\s,₩원]")));
    if (text.isEmpty() || text == QLatin1String("-"))
        return 0;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        Refuse(sheetRow, QStringLiteral("%1 \"%2\"은(는) 금액이 아닙니다.").arg(title, CellText(v)));
    return value;
}

QString DateText(const QDate& d) { return d.toString(QStringLiteral("yyyyMMdd")); }

// The date and, when the cell has one, the time of a date cell.
std::pair<QString, QString> DateAndTime(const QVariant& v, int sheetRow)
{
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return {DateText(dt.date()), dt.time().toString(QStringLiteral("HHmmss"))};
    }
    if (v.typeId() == QMetaType::QDate)
        return {DateText(v.toDate()), QString()};
    const QString text = CellText(v);
    if (v.typeId() == QMetaType::Double && text.size() != 8 && text.size() != 14) {
        // A worksheet date whose cell was not formatted as one.
        const QVariant asDate = TExcelWorksheet::SerialToDate(v.toDouble());
        if (asDate.isValid())
            return DateAndTime(asDate, sheetRow);
    }
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})[-./년 ]*(\\d{1,2})[-./월 ]*(\\d{1,2})일?(?:[ T]+(\\d{1,2}):?(\\d{2})(?::?(\\d{2}))?)?$"));
    const auto m = pattern.match(text);
    if (!m.hasMatch())
        Refuse(sheetRow, QStringLiteral("거래일자 \"%1\"은(는) 날짜가 아닙니다.").arg(text));
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        Refuse(sheetRow, QStringLiteral("거래일자 \"%1\"은(는) 없는 날짜입니다.").arg(text));
    QString time;
    if (!m.captured(4).isEmpty()) {
        const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!t.isValid())
            Refuse(sheetRow, QStringLiteral("거래시간 \"%1\"은(는) 없는 시각입니다.").arg(text));
        time = t.toString(QStringLiteral("HHmmss"));
    }
    return {DateText(date), time};
}

QString TimeText(const QVariant& v, int sheetRow)
{
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().time().toString(QStringLiteral("HHmmss"));
    if (v.typeId() == QMetaType::Double && v.toDouble() < 1) { // a time of day as a fraction
        const int seconds = int(std::lround(v.toDouble() * 86400));
        return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HHmmss"));
    }
    const QString text = CellText(v);
    if (text.isEmpty())
        return QString();
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):?(\\d{2})(?::?(\\d{2}))?$"));
    const auto m = pattern.match(text);
    const QTime t = m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt())
                                 : QTime();
    if (!t.isValid())
        Refuse(sheetRow, QStringLiteral("거래시간 \"%1\"은(는) 시각이 아닙니다.").arg(text));
    return t.toString(QStringLiteral("HHmmss"));
}

bool RowEmpty(const TBankTable& table, int row)
{
    for (const QVariant& v : table[row])
        if (!CellText(v).isEmpty())
            return false;
    return true;
}

// A total or a note under the lines ("합계", "※ 조회기준 ...") carries no
// transaction of its own.
bool IsSummary(const TBankTable& table, int row)
{
    for (const QVariant& v : table[row]) {
        const QString text = CellText(v);
        if (text.contains(QStringLiteral("합계")) || text.contains(QStringLiteral("총계")) ||
            text.contains(QStringLiteral("소계")) || text.startsWith(QStringLiteral("※")))
            return true;
    }
    return false;
}

} // namespace
} // namespace BankStatement

QString TBankColumns::ToText() const
{
    return QStringLiteral("TITLE=%1;DATE=%2;TIME=%3;DEPOSIT=%4;WITHDRAWAL=%5;BALANCE=%6;DEPOSITOR=%7;MEMO=%8")
        .arg(titleRow).arg(date).arg(time).arg(deposit).arg(withdrawal).arg(balance).arg(depositor).arg(memo);
}

TBankColumns TBankColumns::FromText(const QString& text)
{
    QHash<QString, int> values;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList kv = part.split(QLatin1Char('='));
        bool ok = false;
        const int n = kv.value(1).toInt(&ok);
        if (kv.size() == 2 && ok && n >= -1 && n < 16384)
            values.insert(kv[0], n);
    }
    TBankColumns c;
    c.titleRow = values.value(QStringLiteral("TITLE"), -1);
    c.date = values.value(QStringLiteral("DATE"), -1);
    c.time = values.value(QStringLiteral("TIME"), -1);
    c.deposit = values.value(QStringLiteral("DEPOSIT"), -1);
    c.withdrawal = values.value(QStringLiteral("WITHDRAWAL"), -1);
    c.balance = values.value(QStringLiteral("BALANCE"), -1);
    c.depositor = values.value(QStringLiteral("DEPOSITOR"), -1);
    c.memo = values.value(QStringLiteral("MEMO"), -1);
    return c;
}

QString TBankLine::Key(const QString& account) const
{
    return QStringList{account, date, time, QString::number(deposit, 'f', 0), QString::number(balance, 'f', 0),
                       depositor, QString::number(occurrence)}
        .join(QLatin1Char('|'));
}

namespace BankStatement {

TBankTable ReadFile(const QString& fileName)
{
    TExcelWorkbooks books;
    TExcelWorksheet& sheet = books.Open(fileName).ActiveSheet();
    TBankTable table(sheet.LastRow());
    sheet.ForEachCell([&](int row, int col, TExcelWorksheet::TCellKind, const QVariant& value) {
        auto& line = table[row - 1];
        if (int(line.size()) < col)
            line.resize(col);
        line[col - 1] = value;
    });
    return table;
}

QStringList RowTexts(const TBankTable& table, int row)
{
    QStringList texts;
    if (row >= 0 && row < int(table.size()))
        for (const QVariant& v : table[row])
            texts << CellText(v);
    return texts;
}

TBankColumns Detect(const TBankTable& table)
{
    const int rows = std::min<int>(TitleSearchRows, int(table.size()));
    for (int row = 0; row < rows; ++row) {
        const TBankColumns found = ColumnsOf(table, row);
        if (found.Usable())
            return found;
    }
    return TBankColumns();
}

QString FindAccount(const TBankTable& table, int titleRow)
{
    static const QRegularExpression number(QStringLiteral("\\d[\\d-]{5,}\\d"));
    for (int row = 0; row < std::min<int>(titleRow, int(table.size())); ++row) {
        const QStringList texts = RowTexts(table, row);
        for (int col = 0; col < texts.size(); ++col) {
            if (!texts[col].contains(QStringLiteral("계좌")))
                continue;
            // "계좌번호 : 123-45-6789" in one cell, or the number in a cell to its right.
            for (int c = col; c < texts.size(); ++c) {
                const auto m = number.match(texts[c]);
                if (m.hasMatch())
                    return m.captured(0);
            }
        }
    }
    return QString();
}

TBankStatement Parse(const TBankTable& table, const TBankColumns& columns)
{
    if (table.empty())
        throw ESelvarError(QStringLiteral("빈 파일입니다. 거래내역이 들어 있는 파일을 선택하세요."));
    if (!columns.Usable())
        throw ESelvarError(QStringLiteral("거래일자 열과 입금액 열을 찾을 수 없습니다.\r"
                                          "제목 줄이 있는 은행 거래내역 파일인지 확인하거나, 열을 직접 지정하세요."));
    const QString depositTitle = RowTexts(table, columns.titleRow).value(columns.deposit, QStringLiteral("입금액"));
    const QString withdrawalTitle =
        RowTexts(table, columns.titleRow).value(columns.withdrawal, QStringLiteral("출금액"));
    TBankStatement statement;
    QHash<QString, int> seen;
    for (int row = columns.titleRow + 1; row < int(table.size()); ++row) {
        const int sheetRow = row + 1;
        if (RowEmpty(table, row))
            continue;
        const QVariant dateCell = Cell(table, row, columns.date);
        if (CellText(dateCell).isEmpty() || IsSummary(table, row)) {
            if (IsSummary(table, row))
                continue;
            if (Amount(Cell(table, row, columns.deposit), sheetRow, depositTitle) != 0)
                Refuse(sheetRow, QStringLiteral("입금액이 있는데 거래일자가 비어 있습니다."));
            continue;
        }
        const double deposit = Amount(Cell(table, row, columns.deposit), sheetRow, depositTitle);
        const double withdrawal =
            columns.withdrawal >= 0 ? Amount(Cell(table, row, columns.withdrawal), sheetRow, withdrawalTitle) : 0;
        auto [date, time] = DateAndTime(dateCell, sheetRow);
        if (columns.time >= 0) {
            const QString t = TimeText(Cell(table, row, columns.time), sheetRow);
            if (!t.isEmpty())
                time = t;
        }
        if (deposit < 0)
            Refuse(sheetRow, QStringLiteral("%1 \"%2\"이(가) 0보다 작습니다.")
                                 .arg(depositTitle, CellText(Cell(table, row, columns.deposit))));
        if (deposit == 0) {
            if (withdrawal != 0)
                ++statement.withdrawals;
            continue;
        }
        TBankLine line;
        line.sheetRow = sheetRow;
        line.date = date;
        line.time = time.isEmpty() ? QStringLiteral("000000") : time;
        line.deposit = deposit;
        line.balance = columns.balance >= 0 ? Amount(Cell(table, row, columns.balance), sheetRow,
                                                     QStringLiteral("잔액"))
                                            : 0;
        const int depositorCol = columns.depositor >= 0 ? columns.depositor : columns.memo;
        line.depositor = CellText(Cell(table, row, depositorCol)).simplified().left(50);
        if (columns.memo >= 0 && columns.memo != depositorCol)
            line.memo = CellText(Cell(table, row, columns.memo)).simplified().left(100);
        line.occurrence = ++seen[line.Key(QString())];
        statement.deposits.push_back(std::move(line));
    }
    if (statement.deposits.empty()) {
        if (statement.withdrawals > 0)
            throw ESelvarError(QStringLiteral("입금 내역이 없습니다. 출금만 %1건 있는 파일입니다.")
                                   .arg(statement.withdrawals));
        throw ESelvarError(QStringLiteral("%1행 아래에 가져올 입금 내역이 없습니다.").arg(columns.titleRow + 1));
    }
    statement.account = FindAccount(table, columns.titleRow);
    return statement;
}

} // namespace BankStatement
