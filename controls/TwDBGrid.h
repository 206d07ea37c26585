#pragma once

#include <QSet>

#include "controls/TwCustomGrid.h"
#include "controls/TwGridDataLink.h"

class TwClientDataSet;
class TwDataField;
class TwDataSource;
class TwDBColumn;
class TwMemColumn;
class TwMemGrid;

// The grid that shows the records of a result set instead of its own
// storage: its rows are the records the result set holds, its current row
// is the result set's cursor, and edits go to the fields. Everything else
// (columns, titles, footers, painting, keys) is the shared grid's.
class TwDBGrid : public TwCustomGrid
{
    Q_OBJECT

public:
    explicit TwDBGrid(QWidget* parent = nullptr);
    ~TwDBGrid() override;

    TwDataSource* DataSource() const { return m_link.DataSource(); }
    void SetDataSource(TwDataSource* value) { m_link.SetDataSource(value); }
    TwClientDataSet* DataSet() const { return m_link.DataSet(); }
    TwGridDataLink& DataLink() { return m_link; }
    TwDBColumn* Column(int index) const;
    // Appends a column showing a field; without an alignment it follows
    // the field's type.
    TwDBColumn* AddColumn(const QString& fieldName, const QString& caption, int width,
                          Qt::Alignment alignment = {});

    // The records the result set holds; none while it is closed.
    int RowCount() const override;
    // Moves the result set's cursor by the difference.
    void SetRow(int value) override;

    bool Edit() override;
    void Insert(bool bAppend) override;
    void Post() override;
    void Cancel() override;
    void Delete() override;
    bool RowModified() const override;

    // Bookmarks of the selected records (with wgoMultiSelect).
    bool Selected(int ARow) const override;
    void SetSelected(int ARow, bool value) override;
    int SelectedCount() const override;
    void ClearSelection() override;

    TwEditKind EditKind(const TwColumn* column) const override;
    bool ColumnAcceptsChar(const TwColumn* column, QChar ch) const override;
    QString CellText(TwColumn* column, int row) override;
    bool CellEmpty(TwColumn* column, int row) override;
    bool CellBoolean(TwColumn* column, int row) override;
    QString FooterText(TwColumn* column, int footerRow) const override;

    // What the data link passes on.
    void LinkActiveChanged();
    void LinkDataSetChanged();
    void LinkScrolled(int distance);
    void LinkEditingChanged();
    void LinkRecordChanged(TwDataField* field);

protected:
    std::unique_ptr<TwColumn> CreateColumn() override;
    void LoadingEnded() override;
    QVariant EditorValueOf(TwColumn* column, int row, TwEditKind kind) override;
    void WriteEditorValue(TwColumn* column, int row, TwEditKind kind, const QVariant& value) override;
    void SetupEditor(TwInplaceEditor* editor, TwColumn* column) override;
    void CopyCellValue(TwColumn* column, int fromRow, int toRow) override;

private:
    bool HasRecords() const;
    void SyncRow();
    void SyncState();
    QVariant RecordValue(const TwColumn* column, int row) const;
    // The in-memory column an editor is set up from: the look of a column
    // and the type, size and mask of its field.
    TwMemColumn* EditorModel(TwDBColumn* column);

    TwGridDataLink m_link;
    QSet<QString> m_selections;
    std::unique_ptr<TwMemGrid> m_editorModel;
};
