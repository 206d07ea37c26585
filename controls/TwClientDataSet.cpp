#include "controls/TwClientDataSet.h"

#include <algorithm>
#include <utility>

#include "controls/EConvertError.h"
#include "controls/TwDataField.h"
#include "controls/TwDataLink.h"
#include "controls/TwDataSource.h"
#include "controls/TwRecordProvider.h"

TwClientDataSet::TwClientDataSet() = default;

TwClientDataSet::~TwClientDataSet()
{
    for (TwDataSource* source : std::vector<TwDataSource*>(m_sources))
        source->SetDataSet(nullptr);
}

TwDataField* TwClientDataSet::AddField(const QString& name, TwFieldType type, int size)
{
    if (Active())
        throw ESelvarError(QStringLiteral("Cannot perform this operation on an open dataset"));
    m_declaredFields = true;
    m_fields.push_back(std::make_unique<TwDataField>(this, name, type, size));
    m_fields.back()->m_index = int(m_fields.size()) - 1;
    return m_fields.back().get();
}

TwDataField* TwClientDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw ESelvarError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_fields[index].get();
}

TwDataField* TwClientDataSet::FindField(const QString& name) const
{
    for (const auto& field : m_fields)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TwDataField* TwClientDataSet::FieldByName(const QString& name) const
{
    TwDataField* field = FindField(name);
    if (!field)
        throw ESelvarError(QStringLiteral("Field '%1' not found").arg(name));
    return field;
}

// ----- Opening and fetching -----

void TwClientDataSet::Open()
{
    if (Active())
        return;
    if (!m_provider)
        throw ESelvarError(QStringLiteral("Missing data provider or data packet"));
    BindFields();
    m_records.clear();
    m_allFetched = false;
    Fetch(m_packetRecords);
    m_current = m_records.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_records.empty();
    m_modified = false;
    m_state = dsBrowse;
    FetchToCover(m_current + 1);
    if (ControlsDisabled())
        m_activeChangedWhileDisabled = true;
    else
        Notify([](TwDataLink* link) { link->ActiveChanged(); });
    if (AfterOpen)
        AfterOpen(this);
}

void TwClientDataSet::BindFields()
{
    const std::vector<TwRecordProvider::FieldDef> defs = m_provider->FieldDefs();
    if (!m_declaredFields) {
        m_fields.clear();
        for (const auto& def : defs) {
            m_fields.push_back(std::make_unique<TwDataField>(this, def.name, def.type, 0));
            m_fields.back()->m_index = int(m_fields.size()) - 1;
        }
    }
    m_sourceIndex.assign(m_fields.size(), -1);
    for (size_t f = 0; f < m_fields.size(); ++f)
        for (size_t d = 0; d < defs.size(); ++d)
            if (defs[d].name.compare(m_fields[f]->FieldName(), Qt::CaseInsensitive) == 0) {
                m_sourceIndex[f] = int(d);
                break;
            }
}

namespace {
// A value in its field's type; one the type cannot read stays as it came,
// so that a surprising value in the source never stops the whole result.
QVariant ReadValue(const TwDataField& field, const QVariant& value)
{
    try {
        return field.Converted(value);
    } catch (const EConvertError&) {
        return value;
    }
}
} // namespace

int TwClientDataSet::Fetch(int count)
{
    int fetched = 0;
    std::vector<QVariant> values;
    while (!m_allFetched && (count <= 0 || fetched < count)) {
        if (!m_provider || !m_provider->FetchRecord(values)) {
            m_allFetched = true;
            break;
        }
        Record record;
        record.id = m_nextId++;
        record.values.resize(m_fields.size());
        for (size_t f = 0; f < m_fields.size(); ++f) {
            const int source = m_sourceIndex[f];
            if (source >= 0 && source < int(values.size()))
                record.values[f] = ReadValue(*m_fields[f], values[source]);
        }
        m_records.push_back(std::move(record));
        ++fetched;
    }
    return fetched;
}

int TwClientDataSet::GetNextPacket()
{
    RequireActive();
    const int fetched = Fetch(m_packetRecords);
    if (fetched > 0)
        NotifyChanged();
    return fetched;
}

// Holds records up to `index` and, when the cursor stands on the last record
// held, the next packet too: the end of the data is where the source ends.
void TwClientDataSet::FetchToCover(int index)
{
    while (!m_allFetched && index >= RecordCount() - 1 && Fetch(m_packetRecords) > 0) {
    }
}

void TwClientDataSet::Close()
{
    if (!Active())
        return;
    m_state = dsInactive;
    m_records.clear();
    m_buffer.clear();
    m_modified = false;
    m_current = -1;
    m_bof = m_eof = true;
    m_allFetched = true;
    if (!m_declaredFields)
        m_fields.clear();
    if (ControlsDisabled())
        m_activeChangedWhileDisabled = true;
    else
        Notify([](TwDataLink* link) { link->ActiveChanged(); });
}

// ----- The cursor -----

void TwClientDataSet::RequireActive() const
{
    if (!Active())
        throw ESelvarError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

int TwClientDataSet::MoveBy(int distance)
{
    RequireActive();
    CheckBrowseMode();
    if (m_records.empty()) {
        m_bof = m_eof = true;
        return 0;
    }
    const int wanted = m_current + distance;
    FetchToCover(wanted);
    const int target = std::clamp(wanted, 0, RecordCount() - 1);
    const int moved = target - m_current;
    m_current = target;
    m_bof = distance < 0 && wanted < 0;
    m_eof = distance > 0 && wanted > target;
    if (moved != 0)
        Scrolled(moved);
    return moved;
}

void TwClientDataSet::First()
{
    RequireActive();
    CheckBrowseMode();
    const int moved = m_records.empty() ? 0 : -m_current;
    m_current = m_records.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_records.empty();
    if (moved != 0)
        Scrolled(moved);
}

void TwClientDataSet::Last()
{
    RequireActive();
    CheckBrowseMode();
    Fetch(0);
    const int target = RecordCount() - 1;
    const int moved = target - m_current;
    m_current = target;
    m_eof = true;
    m_bof = m_records.empty();
    if (moved != 0)
        Scrolled(moved);
}

void TwClientDataSet::Scrolled(int distance)
{
    if (!ControlsDisabled())
        Notify([distance](TwDataLink* link) { link->DataSetScrolled(distance); });
    if (AfterScroll)
        AfterScroll(this);
}

QString TwClientDataSet::Bookmark() const
{
    return m_current >= 0 ? QString::number(m_records[m_current].id) : QString();
}

QString TwClientDataSet::BookmarkAt(int record) const
{
    return record >= 0 && record < RecordCount() ? QString::number(m_records[record].id) : QString();
}

bool TwClientDataSet::BookmarkValid(const QString& bookmark) const
{
    const int id = bookmark.toInt();
    return std::any_of(m_records.begin(), m_records.end(), [id](const Record& r) { return r.id == id; });
}

void TwClientDataSet::GotoBookmark(const QString& bookmark)
{
    RequireActive();
    const int id = bookmark.toInt();
    const auto found =
        std::find_if(m_records.begin(), m_records.end(), [id](const Record& r) { return r.id == id; });
    if (found == m_records.end())
        throw ESelvarError(QStringLiteral("Record not found"));
    MoveBy(int(found - m_records.begin()) - m_current);
}

// ----- Editing -----

void TwClientDataSet::RequireEditing() const
{
    if (m_state != dsEdit && m_state != dsInsert)
        throw ESelvarError(QStringLiteral("Dataset not in edit or insert mode"));
}

void TwClientDataSet::SetState(TwDataSetState state)
{
    m_state = state;
    if (!ControlsDisabled())
        Notify([](TwDataLink* link) { link->EditingChanged(); });
}

void TwClientDataSet::Edit()
{
    RequireActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    if (m_readOnly)
        throw ESelvarError(QStringLiteral("Cannot modify a read-only dataset"));
    if (m_records.empty()) {
        Insert();
        return;
    }
    m_buffer = m_records[m_current].values;
    m_modified = false;
    SetState(dsEdit);
}

void TwClientDataSet::StartInsert(int position)
{
    RequireActive();
    CheckBrowseMode();
    if (m_readOnly)
        throw ESelvarError(QStringLiteral("Cannot modify a read-only dataset"));
    m_insertReturn = m_current;
    Record record;
    record.id = m_nextId++;
    record.values.resize(m_fields.size());
    m_records.insert(m_records.begin() + position, record);
    m_current = position;
    m_buffer = record.values;
    m_modified = false;
    m_bof = m_eof = false;
    m_state = dsInsert;
    NotifyChanged();
    if (!ControlsDisabled())
        Notify([](TwDataLink* link) { link->EditingChanged(); });
}

void TwClientDataSet::Insert()
{
    StartInsert(std::max(0, m_current));
}

void TwClientDataSet::Append()
{
    RequireActive();
    CheckBrowseMode();
    Fetch(0);
    StartInsert(RecordCount());
}

void TwClientDataSet::Post()
{
    RequireActive();
    UpdateRecord();
    RequireEditing();
    for (const auto& field : m_fields)
        if (field->Required() && !m_buffer[field->Index()].isValid())
            throw ESelvarError(QStringLiteral("Field '%1' must have a value").arg(field->DisplayLabel()));
    m_records[m_current].values = m_buffer;
    m_buffer.clear();
    m_modified = false;
    SetState(dsBrowse);
    NotifyChanged();
}

void TwClientDataSet::Cancel()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (m_state == dsInsert) {
        m_records.erase(m_records.begin() + m_current);
        m_current = m_records.empty() ? -1 : std::clamp(m_insertReturn, 0, RecordCount() - 1);
        m_bof = m_eof = m_records.empty();
    }
    m_buffer.clear();
    m_modified = false;
    SetState(dsBrowse);
    NotifyChanged();
}

void TwClientDataSet::Delete()
{
    RequireActive();
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (m_records.empty())
        throw ESelvarError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    if (m_readOnly)
        throw ESelvarError(QStringLiteral("Cannot modify a read-only dataset"));
    if (m_state == dsEdit)
        Cancel();
    m_records.erase(m_records.begin() + m_current);
    FetchToCover(m_current);
    m_current = m_records.empty() ? -1 : std::min(m_current, RecordCount() - 1);
    m_bof = m_eof = m_records.empty();
    NotifyChanged();
}

void TwClientDataSet::CheckBrowseMode()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    UpdateRecord();
    if (m_modified)
        Post();
    else
        Cancel();
}

void TwClientDataSet::UpdateRecord()
{
    if (m_state == dsEdit || m_state == dsInsert)
        Notify([](TwDataLink* link) { link->UpdateData(); });
}

// ----- Values -----

QVariant TwClientDataSet::CurrentValue(int field) const
{
    if (field < 0 || field >= FieldCount())
        return QVariant();
    if (m_state == dsEdit || m_state == dsInsert)
        return m_buffer[field];
    return m_current >= 0 ? m_records[m_current].values[field] : QVariant();
}

QVariant TwClientDataSet::Value(int record, int field) const
{
    if (record == m_current)
        return CurrentValue(field);
    if (record < 0 || record >= RecordCount() || field < 0 || field >= FieldCount())
        return QVariant();
    return m_records[record].values[field];
}

void TwClientDataSet::SetFieldValue(int field, const QVariant& value)
{
    RequireEditing();
    TwDataField* target = Fields(field);
    if (target->ReadOnly())
        throw ESelvarError(QStringLiteral("Field '%1' cannot be modified").arg(target->DisplayLabel()));
    m_buffer[field] = value;
    m_modified = true;
    if (!ControlsDisabled())
        Notify([target](TwDataLink* link) { link->RecordChanged(target); });
}

// ----- Controls -----

void TwClientDataSet::EnableControls()
{
    if (m_disableCount == 0 || --m_disableCount > 0)
        return;
    if (std::exchange(m_activeChangedWhileDisabled, false))
        Notify([](TwDataLink* link) { link->ActiveChanged(); });
    else
        NotifyChanged();
}

void TwClientDataSet::NotifyChanged()
{
    if (!ControlsDisabled())
        Notify([](TwDataLink* link) { link->DataSetChanged(); });
}

void TwClientDataSet::Notify(const std::function<void(TwDataLink*)>& event)
{
    for (TwDataSource* source : std::vector<TwDataSource*>(m_sources))
        for (TwDataLink* link : std::vector<TwDataLink*>(source->Links()))
            event(link);
}

void TwClientDataSet::AddSource(TwDataSource* source)
{
    m_sources.push_back(source);
}

void TwClientDataSet::RemoveSource(TwDataSource* source)
{
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}
