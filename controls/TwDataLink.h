#pragma once

class TwClientDataSet;
class TwDataField;
class TwDataSource;

// A control's attachment to a result set through a data source; the result
// set tells every link what happened to it.
class TwDataLink
{
public:
    TwDataLink() = default;
    virtual ~TwDataLink();
    TwDataLink(const TwDataLink&) = delete;
    TwDataLink& operator=(const TwDataLink&) = delete;

    TwDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TwDataSource* value);
    TwClientDataSet* DataSet() const;
    bool Active() const;
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // The result set edits or inserts a record.
    bool Editing() const;
    // Puts the result set into editing unless the link is inactive or
    // read-only; whether it is editing now.
    bool Edit();

    // What happened to the result set.
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int distance) {}
    virtual void EditingChanged() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TwDataField* field) {}
    // The control writes what it holds into the fields.
    virtual void UpdateData() {}

private:
    friend class TwDataSource;
    TwDataSource* m_dataSource = nullptr;
    bool m_readOnly = false;
};
