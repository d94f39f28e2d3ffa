#include "db/DataSet.h"

#include "db/DataSource.h"
#include "db/DbErrors.h"
#include "db/FieldValue.h"
#include "db/IndexKeys_p.h"
#include "support/TextUtils.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

QStringList SplitFieldNames(const QString& names)
{
    // Runs for every record a detail table follows its master to, so no temporary list.
    QStringList result;
    for (const QStringView name : QStringView(names).tokenize(u';')) {
        const QStringView trimmed = name.trimmed();
        if (!trimmed.isEmpty())
            result.append(trimmed.toString());
    }
    return result;
}

} // namespace

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner)
    , m_keys(std::make_unique<TIndexKeys>())
{
}

TDataSet::~TDataSet()
{
    if (m_masterSource)
        m_masterSource->RemoveClient(this);
    m_active = false;
    const std::vector<TDataSource*> sources = std::move(m_dataSources);
    for (TDataSource* source : sources) {
        source->m_dataSet = nullptr;
        source->RaiseNotice(TDataNotice::dnActiveChanged);
    }
}

QString TDataSet::ClassName() const
{
    return QStringLiteral("TDataSet");
}

void TDataSet::SetActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (m_active)
        return;
    DoOpen();
    try {
        BuildOrder();
    } catch (...) {
        DoClose();
        throw;
    }
    m_active = true;
    ApplyRange();
    RaiseNotice(true);
}

void TDataSet::Close()
{
    if (!m_active)
        return;
    m_active = false;
    m_order.clear();
    m_keys->Clear();
    m_rangeBegin = m_rangeEnd = m_position = 0;
    m_eof = true;
    DoClose();
    RaiseNotice(true);
}

void TDataSet::First()
{
    if (!m_active)
        return;
    m_position = 0;
    m_eof = m_rangeBegin == m_rangeEnd;
    RaiseNotice(false);
}

void TDataSet::Next()
{
    if (!m_active || m_eof)
        return;
    if (m_rangeBegin + m_position + 1 < m_rangeEnd) {
        ++m_position;
        RaiseNotice(false);
    } else {
        m_eof = true;
    }
}

bool TDataSet::Eof() const
{
    return !m_active || m_eof;
}

int TDataSet::RecordCount() const
{
    return m_active ? m_rangeEnd - m_rangeBegin : 0;
}

bool TDataSet::Locate(QStringView fieldName, const QVariant& value)
{
    const TField* field = FieldByName(fieldName);
    if (!m_active)
        return false;
    const std::optional<QVariant> wanted = ConvertToFieldType(value, field->DataType());
    if (!wanted)
        return false;
    for (int i = m_rangeBegin; i < m_rangeEnd; ++i) {
        if (CompareFieldValues(RecordValue(m_order[i], *field), *wanted) == 0) {
            m_position = i - m_rangeBegin;
            m_eof = false;
            RaiseNotice(false);
            return true;
        }
    }
    return false;
}

TField* TDataSet::FindField(QStringView fieldName) const
{
    for (const auto& field : m_fields)
        if (SameNameIgnoringCase(fieldName, field->FieldName()))
            return field.get();
    return nullptr;
}

TField* TDataSet::FieldByName(QStringView fieldName) const
{
    TField* field = FindField(fieldName);
    if (!field)
        RaiseFieldNotFound(*this, fieldName);
    return field;
}

void TDataSet::SetIndexFieldNames(const QString& names)
{
    if (names == m_indexFieldNames)
        return;
    const QString previous = m_indexFieldNames;
    m_indexFieldNames = names;
    if (!m_active)
        return;
    try {
        Refresh();
    } catch (...) {
        m_indexFieldNames = previous;
        Refresh();
        throw;
    }
}

void TDataSet::SetMasterSource(TDataSource* source)
{
    if (source == m_masterSource)
        return;
    for (TDataSource* link = source; link && link->DataSet(); link = link->DataSet()->m_masterSource)
        if (link->DataSet() == this)
            RaiseLinkError(*this,
                QCoreApplication::translate(
                    "TDataSet", "a master link may not lead back to the dataset itself"));
    if (m_masterSource)
        m_masterSource->RemoveClient(this);
    m_masterSource = source;
    if (m_masterSource)
        m_masterSource->AddClient(this, [this](TDataSource*, TDataNotice) { MasterChanged(); });
    MasterChanged();
}

void TDataSet::SetMasterFields(const QString& names)
{
    if (names == m_masterFields)
        return;
    m_masterFields = names;
    MasterChanged();
}

TField* TDataSet::CreateField(const QString& fieldName, TFieldType type, int size)
{
    if (m_active)
        RaiseDataSetOpen(*this, QCoreApplication::translate("TDataSet", "add field \"%1\"").arg(fieldName));
    if (FindField(fieldName))
        RaiseDuplicateField(*this, fieldName);
    m_fields.push_back(std::make_unique<TField>(this, int(m_fields.size()), fieldName, type, size));
    return m_fields.back().get();
}

void TDataSet::Refresh()
{
    if (!m_active)
        return;
    BuildOrder();
    ApplyRange();
    RaiseNotice(false);
}

void TDataSet::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_masterSource) {
        m_masterSource = nullptr;
        MasterChanged();
    }
}

QVariant TDataSet::CurrentValue(const TField& field) const
{
    if (!m_active || m_rangeBegin == m_rangeEnd)
        return {};
    return RecordValue(m_order[m_rangeBegin + m_position], field);
}

QVariant TDataSet::RecordValue(int record, const TField& field) const
{
    QVariant value = StoredValue(record, field);
    if (field.DataType() == TFieldType::ftString && value.typeId() == QMetaType::QString) {
        // Trailing blanks are padding, not part of a text value.
        // Read through a const view: a write access to the shared copy would copy the text.
        const QString text = value.toString();
        qsizetype length = text.size();
        while (length > 0 && text[length - 1] == u' ')
            --length;
        if (length == 0)
            return {};
        if (length < text.size())
            value = text.first(length);
    }
    return value;
}

void TDataSet::AttachDataSource(TDataSource* source)
{
    if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
        m_dataSources.push_back(source);
}

void TDataSet::DetachDataSource(TDataSource* source)
{
    std::erase(m_dataSources, source);
}

void TDataSet::MasterChanged()
{
    if (!m_active)
        return;
    ApplyRange();
    RaiseNotice(false);
}

std::vector<TField*> TDataSet::IndexFields() const
{
    std::vector<TField*> fields;
    for (const QString& name : SplitFieldNames(m_indexFieldNames)) {
        TField* field = FindField(name);
        if (!field)
            RaiseLinkError(
                *this, QCoreApplication::translate("TDataSet", "index field \"%1\" not found").arg(name));
        fields.push_back(field);
    }
    return fields;
}

void TDataSet::BuildOrder()
{
    const std::vector<TField*> indexFields = IndexFields();
    if (m_masterSource && !SplitFieldNames(m_masterFields).isEmpty()
        && SplitFieldNames(m_masterFields).size() > qsizetype(indexFields.size()))
        RaiseLinkError(*this,
            QCoreApplication::translate(
                "TDataSet", "master fields \"%1\" need as many index fields, but the index is \"%2\"")
                .arg(m_masterFields, m_indexFieldNames));
    const int count = StoredRecordCount();
    m_order.resize(count);
    for (int i = 0; i < count; ++i)
        m_order[i] = i;
    m_keys->Clear();
    if (indexFields.empty())
        return;
    m_keys->Build(count, indexFields.size(),
        [&](int record, size_t column) { return RecordValue(record, *indexFields[column]); });
    std::stable_sort(m_order.begin(), m_order.end(),
        [this](int a, int b) { return m_keys->Compare(a, b, m_keys->Width()) < 0; });
}

void TDataSet::ApplyRange()
{
    m_position = 0;
    m_rangeBegin = 0;
    m_rangeEnd = int(m_order.size());
    const QStringList masterNames = SplitFieldNames(m_masterFields);
    if (m_masterSource && !masterNames.isEmpty()) {
        m_rangeEnd = 0;
        const TDataSet* master = m_masterSource->DataSet();
        if (master && master->Active() && master->RecordCount() > 0 && !m_keys->Empty()
            && masterNames.size() <= qsizetype(m_keys->Width())) {
            const std::vector<TField*> indexFields = IndexFields();
            std::vector<QVariant> wanted;
            for (qsizetype i = 0; i < masterNames.size(); ++i) {
                const TField* masterField = master->FindField(masterNames[i]);
                const std::optional<QVariant> value = masterField
                    ? ConvertToFieldType(masterField->Value(), indexFields[i]->DataType())
                    : std::nullopt;
                if (!value || value->isNull())
                    break;
                wanted.push_back(*value);
            }
            if (wanted.size() == size_t(masterNames.size())) {
                const auto less = [&](int record, const std::vector<QVariant>& key) {
                    return m_keys->Compare(record, key.data(), key.size()) < 0;
                };
                const auto greater = [&](const std::vector<QVariant>& key, int record) {
                    return m_keys->Compare(record, key.data(), key.size()) > 0;
                };
                const auto begin = std::lower_bound(m_order.begin(), m_order.end(), wanted, less);
                const auto end = std::upper_bound(begin, m_order.end(), wanted, greater);
                m_rangeBegin = int(begin - m_order.begin());
                m_rangeEnd = int(end - m_order.begin());
            }
        }
    }
    m_eof = m_rangeBegin == m_rangeEnd;
}

void TDataSet::RaiseNotice(bool activeChanged)
{
    const TDataNotice notice = activeChanged ? TDataNotice::dnActiveChanged : TDataNotice::dnRecordChanged;
    const std::vector<TDataSource*> sources = m_dataSources;
    for (TDataSource* source : sources)
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->RaiseNotice(notice);
}
