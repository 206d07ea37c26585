#include "common/TXlsxReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>
#include <charconv>
#include <unzip.h>
#include <vector>

#include "common/EExcelError.h"
#include "common/TExcelLimits.h"
#include "common/TExcelWorkbook.h"
#include "common/TXmlScanner.h"

namespace {

constexpr qint64 kMaxSmallPart = qint64(16) << 20; // workbook, relationships, styles
constexpr int kMaxDepth = 256;   // element nesting in those parts; real files need a dozen
constexpr int kMaxSheets = 1024; // sheet entries of a workbook

QString Damaged(const QString& fileName, const QString& detail)
{
    return QStringLiteral("Excel 파일이 손상되었거나 형식이 올바르지 않아 읽을 수 없습니다.\r%1\r(%2)")
        .arg(QFileInfo(fileName).fileName(), detail);
}

QString TooManyChars()
{
    return QStringLiteral("Excel 파일의 글자가 너무 많아 읽을 수 없습니다.");
}

// Qt's reader keeps every open element; a file nested millions deep would
// cost gigabytes before it ever ends.
QXmlStreamReader::TokenType ReadNext(QXmlStreamReader& xml, int& depth)
{
    const auto token = xml.readNext();
    if (token == QXmlStreamReader::StartElement && ++depth > kMaxDepth)
        throw EExcelError(QStringLiteral("XML 요소가 너무 깊이 중첩되어 있습니다."));
    if (token == QXmlStreamReader::EndElement)
        --depth;
    return token;
}

QString TooLarge(const QString& fileName)
{
    return QStringLiteral("Excel 파일이 너무 커서 읽을 수 없습니다.\r%1").arg(QFileInfo(fileName).fileName());
}

// The zip container, read part by part with every byte counted.
class TPackage
{
public:
    explicit TPackage(const QString& fileName)
        : m_fileName(fileName), m_zip(unzOpen64(QFile::encodeName(fileName).constData()))
    {
        if (!m_zip)
            throw EExcelError(Damaged(fileName, QStringLiteral("압축 파일을 열 수 없습니다")));
    }
    ~TPackage() { unzClose(m_zip); }
    TPackage(const TPackage&) = delete;
    TPackage& operator=(const TPackage&) = delete;

    bool Has(const QString& name)
    {
        constexpr int kCaseInsensitive = 2;
        return unzLocateFile(m_zip, name.toUtf8().constData(), kCaseInsensitive) == UNZ_OK;
    }

    template <typename Sink>
    void Stream(const QString& name, qint64 limit, Sink&& sink)
    {
        if (!Has(name))
            throw EExcelError(Damaged(m_fileName, QStringLiteral("%1 없음").arg(name)));
        unz_file_info64 info = {};
        if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            throw EExcelError(Damaged(m_fileName, QStringLiteral("%1 정보 오류").arg(name)));
        if (info.uncompressed_size > quint64(limit))
            throw EExcelError(TooLarge(m_fileName));
        if (unzOpenCurrentFile(m_zip) != UNZ_OK)
            throw EExcelError(Damaged(m_fileName, QStringLiteral("%1 열기 실패").arg(name)));
        try {
            Pump(name, limit, sink);
        } catch (...) {
            unzCloseCurrentFile(m_zip);
            throw;
        }
        if (unzCloseCurrentFile(m_zip) != UNZ_OK)
            throw EExcelError(Damaged(m_fileName, QStringLiteral("%1 검사합 오류").arg(name)));
    }

    QByteArray ReadAll(const QString& name)
    {
        QByteArray bytes;
        Stream(name, kMaxSmallPart, [&](const char* data, size_t size) { bytes.append(data, qsizetype(size)); });
        return bytes;
    }

    const QString& FileName() const { return m_fileName; }

private:
    // The declared size may lie: the bytes actually inflated are what count.
    template <typename Sink>
    void Pump(const QString& name, qint64 limit, Sink& sink)
    {
        std::vector<char> chunk(size_t(1) << 20);
        qint64 read = 0;
        for (;;) {
            const int n = unzReadCurrentFile(m_zip, chunk.data(), unsigned(chunk.size()));
            if (n < 0)
                throw EExcelError(Damaged(m_fileName, QStringLiteral("%1 압축 해제 실패").arg(name)));
            if (n == 0)
                return;
            read += n;
            m_total += n;
            if (read > limit || m_total > TExcelLimits::MaxTotalBytes)
                throw EExcelError(TooLarge(m_fileName));
            sink(chunk.data(), size_t(n));
        }
    }

    QString m_fileName;
    unzFile m_zip;
    qint64 m_total = 0;
};

// Part names are relative to the folder of the part that names them.
QString ResolveTarget(const QString& baseFolder, const QString& target)
{
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    if (baseFolder.isEmpty() || baseFolder == QLatin1String("."))
        return QDir::cleanPath(target);
    return QDir::cleanPath(baseFolder + u'/' + target);
}

// Id → (type, target) of one relationships part.
struct TRelation
{
    QString type, target;
};

QHash<QString, TRelation> ReadRelations(TPackage& package, const QString& name, const QString& baseFolder)
{
    QHash<QString, TRelation> relations;
    if (!package.Has(name))
        return relations;
    QXmlStreamReader xml(package.ReadAll(name));
    int depth = 0;
    while (!xml.atEnd()) {
        if (ReadNext(xml, depth) != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Relationship"))
            continue;
        const auto attrs = xml.attributes();
        relations.insert(attrs.value(QLatin1String("Id")).toString(),
                         {attrs.value(QLatin1String("Type")).toString(),
                          ResolveTarget(baseFolder, attrs.value(QLatin1String("Target")).toString())});
    }
    if (xml.hasError())
        throw EExcelError(Damaged(package.FileName(), name + QStringLiteral(": ") + xml.errorString()));
    return relations;
}

struct TSheetEntry
{
    QString name, part;
};

struct TWorkbookInfo
{
    std::vector<TSheetEntry> sheets;
    int activeTab = 0;
    bool date1904 = false;
    QString sharedStrings, styles;
};

QString OfficeDocument(TPackage& package)
{
    for (const TRelation& relation : ReadRelations(package, QStringLiteral("_rels/.rels"), QString()))
        if (relation.type.endsWith(QLatin1String("/officeDocument")))
            return relation.target;
    return QStringLiteral("xl/workbook.xml");
}

TWorkbookInfo ReadWorkbook(TPackage& package)
{
    const QString workbookPart = OfficeDocument(package);
    const QString folder = QFileInfo(workbookPart).path();
    const QString relsName = folder + QStringLiteral("/_rels/") + QFileInfo(workbookPart).fileName()
                             + QStringLiteral(".rels");
    const auto relations = ReadRelations(package, relsName, folder);
    TWorkbookInfo info;
    for (const TRelation& relation : relations) {
        if (relation.type.endsWith(QLatin1String("/sharedStrings")))
            info.sharedStrings = relation.target;
        else if (relation.type.endsWith(QLatin1String("/styles")))
            info.styles = relation.target;
    }
    QXmlStreamReader xml(package.ReadAll(workbookPart));
    int depth = 0;
    while (!xml.atEnd()) {
        if (ReadNext(xml, depth) != QXmlStreamReader::StartElement)
            continue;
        const auto attrs = xml.attributes();
        if (xml.name() == QLatin1String("sheet")) {
            QString id;
            for (const auto& attr : attrs)
                if (attr.name() == QLatin1String("id"))
                    id = attr.value().toString();
            const auto relation = relations.find(id);
            if (relation != relations.end() && info.sheets.size() >= size_t(kMaxSheets))
                throw EExcelError(QStringLiteral("Excel 파일의 시트가 너무 많아 읽을 수 없습니다."));
            if (relation != relations.end())
                info.sheets.push_back({attrs.value(QLatin1String("name")).toString(), relation->target});
        } else if (xml.name() == QLatin1String("workbookView") && attrs.hasAttribute(QLatin1String("activeTab"))) {
            info.activeTab = attrs.value(QLatin1String("activeTab")).toInt();
        } else if (xml.name() == QLatin1String("workbookPr")) {
            const auto value = attrs.value(QLatin1String("date1904"));
            info.date1904 = value == QLatin1String("1") || value == QLatin1String("true");
        }
    }
    if (xml.hasError())
        throw EExcelError(Damaged(package.FileName(), workbookPart + QStringLiteral(": ") + xml.errorString()));
    if (info.sheets.empty())
        throw EExcelError(Damaged(package.FileName(), QStringLiteral("시트 없음")));
    return info;
}

// A number format shows a date when it has date or time letters outside
// quoted text, escapes and bracketed sections.
bool IsDateFormat(const QString& code)
{
    bool quoted = false, bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code[i].toLower();
        if (quoted) { quoted = ch != u'"'; continue; }
        if (bracket) { bracket = ch != u']'; continue; }
        if (ch == u'"') quoted = true;
        else if (ch == u'[') bracket = true;
        else if (ch == u'\\' || ch == u'_' || ch == u'*') ++i;
        else if (QStringView(u"ydhms").contains(ch)) return true;
    }
    return false;
}

bool IsBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

// For every cell style: whether it shows a date.
std::vector<bool> ReadDateStyles(TPackage& package, const QString& part)
{
    std::vector<bool> dateStyles;
    if (part.isEmpty() || !package.Has(part))
        return dateStyles;
    QXmlStreamReader xml(package.ReadAll(part));
    QHash<int, bool> customDate;
    bool inCellXfs = false;
    int depth = 0;
    while (!xml.atEnd()) {
        const auto token = ReadNext(xml, depth);
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto attrs = xml.attributes();
        if (xml.name() == QLatin1String("numFmt")) {
            customDate.insert(attrs.value(QLatin1String("numFmtId")).toInt(),
                              IsDateFormat(attrs.value(QLatin1String("formatCode")).toString()));
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            const int id = attrs.value(QLatin1String("numFmtId")).toInt();
            dateStyles.push_back(customDate.contains(id) ? customDate.value(id) : IsBuiltInDateFormat(id));
        }
    }
    if (xml.hasError())
        throw EExcelError(Damaged(package.FileName(), part + QStringLiteral(": ") + xml.errorString()));
    return dateStyles;
}

// The shared string table, kept as one text with the bounds of each entry.
// The text is shared by every sheet, never copied: a workbook naming one
// sheet part a thousand times costs no more text than naming it once.
class TSharedStrings : public TXmlScanner
{
public:
    std::shared_ptr<QString> pool = std::make_shared<QString>();
    std::vector<std::pair<quint32, quint32>> entries;

protected:
    void StartElement(std::string_view name, std::string_view) override
    {
        if (name == "si") {
            // Every entry costs memory even when empty; no file needs more
            // entries than it may hold cells.
            if (qint64(entries.size()) >= TExcelLimits::MaxCells)
                throw EExcelError(QStringLiteral("Excel 파일의 공유 문자열이 너무 많아 읽을 수 없습니다."));
            m_inItem = true;
            m_raw.clear();
        }
        else if (name == "t" && m_inItem && m_phonetic == 0) m_inText = true;
        else if (name == "rPh") ++m_phonetic;
    }
    void EndElement(std::string_view name) override
    {
        if (name == "t") {
            m_inText = false;
        } else if (name == "rPh") {
            --m_phonetic;
        } else if (name == "si" && m_inItem) {
            const QString text = CellString(m_raw);
            if (pool->size() + text.size() > TExcelLimits::MaxTextChars)
                throw EExcelError(TooManyChars());
            entries.emplace_back(quint32(pool->size()), quint32(text.size()));
            pool->append(text);
            m_inItem = false;
        }
    }
    void Text(std::string_view text, bool cdata) override
    {
        if (!m_inText)
            return;
        if (cdata) m_raw.append(text);
        else AppendDecoded(m_raw, text);
        // UTF-8 takes at least one byte per character: checked while it grows.
        if (pool->size() + qint64(m_raw.size()) > TExcelLimits::MaxTextChars)
            throw EExcelError(TooManyChars());
    }

private:
    bool m_inItem = false, m_inText = false;
    int m_phonetic = 0;
    std::string m_raw;
};

// What a workbook may still hold; shared by all its sheets.
struct TReadBudget
{
    qint64 cells = TExcelLimits::MaxCells;
    qint64 chars = TExcelLimits::MaxTextChars;
};

// The cells of one sheet, straight into the workbook's sheet.
class TSheetCells : public TXmlScanner
{
public:
    TSheetCells(TExcelWorksheet& sheet, const TSharedStrings& shared, const std::vector<bool>& dateStyles,
                bool date1904, TReadBudget& budget)
        : m_sheet(sheet), m_shared(shared), m_dateStyles(dateStyles), m_date1904(date1904),
          m_budget(budget)
    {
        m_sheet.SetSharedPool(shared.pool);
    }

    bool Complete() const { return m_complete; }

protected:
    void StartElement(std::string_view name, std::string_view attributes) override
    {
        if (name == "c") StartCell(attributes);
        else if (name == "row") StartRow(attributes);
        else if (!m_inCell) return;
        else if (name == "v") m_inValue = true;
        else if (name == "is") m_inInline = true;
        else if (name == "t" && m_inInline && m_phonetic == 0) m_inText = true;
        else if (name == "rPh") ++m_phonetic;
    }
    void EndElement(std::string_view name) override
    {
        if (name == "c") EndCell();
        else if (name == "v") m_inValue = false;
        else if (name == "t") m_inText = false;
        else if (name == "is") m_inInline = false;
        else if (name == "rPh") --m_phonetic;
        else if (name == "sheetData" || name == "worksheet") m_complete = true;
    }
    void Text(std::string_view text, bool cdata) override
    {
        if (!(m_inValue || m_inText))
            return;
        if (cdata) m_value.append(text);
        else AppendDecoded(m_value, text);
        // Bounded while the text grows (a cell of many runs), not after.
        if (qint64(m_value.size()) > m_budget.chars && (m_type == "inlineStr" || m_type == "str" || m_type == "e"))
            throw EExcelError(TooManyChars());
        if (m_value.size() > TXmlScanner::MaxTokenBytes)
            Fail(QStringLiteral("셀 값이 너무 깁니다."));
    }

private:
    static bool ParseInt(std::string_view text, int& value)
    {
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        return result.ec == std::errc() && result.ptr == text.data() + text.size();
    }

    void StartRow(std::string_view attributes)
    {
        std::string_view r;
        int row = m_row + 1;
        if (Attribute(attributes, "r", r) && !ParseInt(r, row))
            Fail(QStringLiteral("행 번호 오류"));
        if (row < 1 || row > TExcelWorksheet::MaxRows)
            Fail(QStringLiteral("행 번호가 범위를 벗어남"));
        m_row = row;
        m_col = 0;
    }

    void StartCell(std::string_view attributes)
    {
        std::string_view ref, type, style;
        int col = m_col + 1, row = m_row;
        if (Attribute(attributes, "r", ref)) {
            size_t i = 0;
            col = 0;
            for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && col <= TExcelWorksheet::MaxColumns; ++i)
                col = col * 26 + (ref[i] - 'A' + 1);
            if (i == 0 || !ParseInt(ref.substr(i), row))
                Fail(QStringLiteral("셀 위치 오류"));
        }
        if (row < 1 || row > TExcelWorksheet::MaxRows || col < 1 || col > TExcelWorksheet::MaxColumns)
            Fail(QStringLiteral("셀 위치가 범위를 벗어남"));
        m_row = row;
        m_col = col;
        m_type = Attribute(attributes, "t", type) ? std::string(type) : std::string();
        m_style = 0;
        if (Attribute(attributes, "s", style) && !ParseInt(style, m_style))
            Fail(QStringLiteral("셀 서식 번호 오류"));
        m_value.clear();
        m_inCell = true;
    }

    void EndCell()
    {
        m_inCell = m_inValue = m_inInline = m_inText = false;
        if (m_value.empty())
            return;
        if (--m_budget.cells < 0)
            throw EExcelError(QStringLiteral("Excel 파일의 셀이 너무 많아 읽을 수 없습니다."));
        if (m_type.empty() || m_type == "n") StoreNumber();
        else if (m_type == "s") StoreShared();
        else if (m_type == "inlineStr" || m_type == "str") StoreText(false);
        else if (m_type == "b") m_sheet.SetBoolean(m_row, m_col, m_value == "1" || m_value == "true");
        else if (m_type == "e") StoreText(true);
        else if (m_type == "d") StoreIsoDate();
        else Fail(QStringLiteral("알 수 없는 셀 형식"));
    }

    void StoreNumber()
    {
        double number = 0;
        const char* begin = m_value.data();
        const char* end = begin + m_value.size();
        const auto result = std::from_chars(begin, end, number);
        if (result.ec != std::errc() || result.ptr != end)
            Fail(QStringLiteral("숫자 형식 오류"));
        const bool isDate = m_style >= 0 && size_t(m_style) < m_dateStyles.size() && m_dateStyles[size_t(m_style)];
        if (isDate)
            m_sheet.SetDateSerial(m_row, m_col, m_date1904 ? number + 1462 : number);
        else
            m_sheet.SetNumber(m_row, m_col, number);
    }

    void StoreText(bool error)
    {
        const QString text = CellString(m_value);
        m_budget.chars -= text.size();
        if (m_budget.chars < 0)
            throw EExcelError(TooManyChars());
        if (error) m_sheet.SetErrorText(m_row, m_col, text);
        else m_sheet.SetText(m_row, m_col, text);
    }

    void StoreShared()
    {
        int index = -1;
        if (!ParseInt(m_value, index) || index < 0 || size_t(index) >= m_shared.entries.size())
            Fail(QStringLiteral("공유 문자열 번호 오류"));
        const auto [offset, length] = m_shared.entries[size_t(index)];
        m_sheet.SetSharedText(m_row, m_col, offset, length);
    }

    void StoreIsoDate()
    {
        const QDateTime value = QDateTime::fromString(QString::fromUtf8(m_value.data(), qsizetype(m_value.size())),
                                                      Qt::ISODateWithMs);
        if (value.isValid())
            m_sheet.SetDateSerial(m_row, m_col, TExcelWorksheet::DateToSerial(value));
        else
            StoreText(false);
    }

    TExcelWorksheet& m_sheet;
    const TSharedStrings& m_shared;
    const std::vector<bool>& m_dateStyles;
    const bool m_date1904;
    TReadBudget& m_budget;
    int m_row = 0, m_col = 0, m_style = 0;
    std::string m_type, m_value;
    bool m_inCell = false, m_inValue = false, m_inInline = false, m_inText = false, m_complete = false;
    int m_phonetic = 0;
};

void ReadAll(TPackage& package, TExcelWorkbook& book)
{
    const TWorkbookInfo info = ReadWorkbook(package);
    const std::vector<bool> dateStyles = ReadDateStyles(package, info.styles);
    TSharedStrings shared;
    if (!info.sharedStrings.isEmpty() && package.Has(info.sharedStrings)) {
        package.Stream(info.sharedStrings, TExcelLimits::MaxPartBytes,
                       [&](const char* data, size_t size) { shared.Feed(data, size); });
        shared.Finish();
    }
    TReadBudget budget;
    budget.chars -= shared.pool->size();
    for (const TSheetEntry& entry : info.sheets) {
        TExcelWorksheet& sheet = book.AddSheet(entry.name);
        TSheetCells cells(sheet, shared, dateStyles, info.date1904, budget);
        package.Stream(entry.part, TExcelLimits::MaxPartBytes,
                       [&](const char* data, size_t size) { cells.Feed(data, size); });
        cells.Finish();
        if (!cells.Complete())
            throw EExcelError(Damaged(package.FileName(), entry.part + QStringLiteral(" 끝이 없음")));
    }
    book.SetActiveSheetIndex(info.activeTab);
}

} // namespace

void TXlsxReader::Read(const QString& fileName, TExcelWorkbook& book)
{
    TPackage package(fileName);
    try {
        ReadAll(package, book);
    } catch (const EExcelError& error) {
        // Scanner messages name the fault only; say which file it was in.
        if (error.Message().startsWith(QStringLiteral("Excel 파일")))
            throw;
        throw EExcelError(Damaged(fileName, error.Message()));
    } catch (const std::bad_alloc&) {
        throw EExcelError(TooLarge(fileName));
    }
}
