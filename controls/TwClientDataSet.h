#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "controls/TwFieldType.h"

class TwDataField;
class TwDataLink;
class TwDataSource;
class TwRecordProvider;

enum TwDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// A result set held on the client: records taken from a provider in packets
// (more are fetched as the cursor reaches the last one held), a cursor with
// bookmarks, fields, and editing of the records held (never of the source).
// Fields declared before opening are kept and matched to the source's
// columns by name (a declared field the source lacks stays Null); without
// declared fields, opening creates one per source column. The data sources
// attached hear of every change and pass it to their links.
class TwClientDataSet
{
public:
    TwClientDataSet();
    ~TwClientDataSet();
    TwClientDataSet(const TwClientDataSet&) = delete;
    TwClientDataSet& operator=(const TwClientDataSet&) = delete;

    // Declares a field (only while closed).
    TwDataField* AddField(const QString& name, TwFieldType type, int size = 0);

    TwRecordProvider* Provider() const { return m_provider; }
    void SetProvider(TwRecordProvider* value) { m_provider = value; }
    // Records per fetch; 0 or less takes everything at once.
    int PacketRecords() const { return m_packetRecords; }
    void SetPacketRecords(int value) { m_packetRecords = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }

    // Opening without a provider raises.
    void Open();
    void Close();
    bool Active() const { return m_state != dsInactive; }
    void SetActive(bool value) { value ? Open() : Close(); }
    TwDataSetState State() const { return m_state; }

    int FieldCount() const { return int(m_fields.size()); }
    TwDataField* Fields(int index) const;
    TwDataField* FindField(const QString& name) const;
    TwDataField* FieldByName(const QString& name) const; // raises when absent

    // Records held (fetched so far, a record being inserted included).
    int RecordCount() const { return int(m_records.size()); }
    bool IsEmpty() const { return m_records.empty(); }
    bool AllFetched() const { return m_allFetched; }
    // Fetches the next packet; the number of records it brought.
    int GetNextPacket();
    bool CanModify() const { return Active() && !m_readOnly; }
    bool Modified() const { return m_modified; }

    // The cursor: record number from 1 (0 when empty).
    int RecNo() const { return m_current + 1; }
    void SetRecNo(int value) { MoveBy(value - RecNo()); }
    bool IsSequenced() const { return true; }
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Moves the cursor; the distance actually moved.
    int MoveBy(int distance);

    // A bookmark names a record for as long as it is held.
    QString Bookmark() const;
    QString BookmarkAt(int record) const;
    bool BookmarkValid(const QString& bookmark) const;
    void GotoBookmark(const QString& bookmark);

    // Editing the records held. Edit on an empty result set inserts.
    void Edit();
    void Insert();
    void Append();
    // A Required field without value raises; the record stays in editing.
    void Post();
    void Cancel();
    void Delete();
    // Posts a changed record, cancels an unchanged one.
    void CheckBrowseMode();
    // Asks the links to write what they hold into the fields.
    void UpdateRecord();

    // Controls hear nothing until the matching EnableControls, which then
    // tells them everything changed.
    void DisableControls() { ++m_disableCount; }
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // Values: of the current record (its edit buffer while editing), and of
    // any record held.
    QVariant CurrentValue(int field) const;
    QVariant Value(int record, int field) const;
    void SetFieldValue(int field, const QVariant& value);

    std::function<void(TwClientDataSet* DataSet)> AfterOpen;
    std::function<void(TwClientDataSet* DataSet)> AfterScroll;

private:
    friend class TwDataSource;
    struct Record
    {
        int id = 0;
        std::vector<QVariant> values;
    };

    void AddSource(TwDataSource* source);
    void RemoveSource(TwDataSource* source);
    void Notify(const std::function<void(TwDataLink*)>& event);
    void NotifyChanged();
    void RequireActive() const;
    void RequireEditing() const;
    void BindFields();
    int Fetch(int count);
    void FetchToCover(int index);
    void Scrolled(int distance);
    void StartInsert(int position);
    void SetState(TwDataSetState state);

    std::vector<std::unique_ptr<TwDataField>> m_fields;
    bool m_declaredFields = false;
    std::vector<int> m_sourceIndex; // per field, the provider column or -1
    TwRecordProvider* m_provider = nullptr;
    int m_packetRecords = -1;
    bool m_readOnly = false;
    bool m_allFetched = true;
    std::vector<Record> m_records;
    int m_nextId = 1;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    TwDataSetState m_state = dsInactive;
    std::vector<QVariant> m_buffer;
    bool m_modified = false;
    int m_insertReturn = -1; // the current record before an insert
    int m_disableCount = 0;
    bool m_activeChangedWhileDisabled = false;
    std::vector<TwDataSource*> m_sources;
};
