#include "common/TSqlDialect.h"

#include "common/EDatabaseError.h"
#include "common/TResultSet.h"

namespace {

class TBufferedCursor : public TSqlCursor
{
public:
    explicit TBufferedCursor(TResultSet&& rows) : m_rows(std::move(rows)) {}

    bool Fetch(std::vector<QVariant>& row) override
    {
        if (m_next >= m_rows.RowCount())
            return false;
        const int columns = m_rows.ColumnCount();
        const auto first = m_rows.Cells.begin() + static_cast<long>(m_next) * columns;
        row.assign(first, first + columns);
        ++m_next;
        return true;
    }

private:
    TResultSet m_rows;
    int m_next = 0;
};

} // namespace

std::unique_ptr<TSqlCursor> TSqlDialect::OpenCursor(const TSqlStatement& statement,
                                                    const std::vector<QVariant>& values, TResultSet& header)
{
    TResultSet rows;
    Execute(statement, values, rows, true);
    header.Clear();
    header.Names = rows.Names;
    header.Types = rows.Types;
    return std::make_unique<TBufferedCursor>(std::move(rows));
}

void TSqlDialect::CallProcedure(const QString& name, const std::vector<TParam>&)
{
    throw EDatabaseError(QStringLiteral("Procedure %1 cannot be called on %2").arg(name, Name()));
}
