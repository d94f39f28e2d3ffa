#pragma once

#include <QString>
#include <QVariant>

class TComponent;
class TDataSet;
class TDataSource;
class TField;
class TRLCustomControl;

/// The data side of a data control: its data source, the field it reads or the formula it
/// evaluates. DataField and DataFormula exclude each other. The control forwards its removal
/// notices (SourceRemoved) so that a destroyed data source is forgotten.
class TRLFieldBinding {
public:
    explicit TRLFieldBinding(TRLCustomControl& control);
    TRLFieldBinding(const TRLFieldBinding&) = delete;
    TRLFieldBinding& operator=(const TRLFieldBinding&) = delete;

    TDataSource* DataSource() const { return m_dataSource; }
    /// False when unchanged.
    bool SetDataSource(TDataSource* source);
    const QString& DataField() const { return m_dataField; }
    /// False when unchanged; a non-empty field empties DataFormula.
    bool SetDataField(const QString& field);
    const QString& DataFormula() const { return m_dataFormula; }
    /// False when unchanged; a non-empty formula empties DataField.
    bool SetDataFormula(const QString& formula);

    /// The data source's dataset; none without a data source.
    TDataSet* GetDataSet() const;
    /// None without a dataset or DataField; raises "Não encontrado: <name>.DataField "<field>""
    /// when the dataset has no such field.
    TField* GetField() const;
    /// The dataset is open and on a record.
    bool HasRecord() const;
    /// The owning report's formula result; null without a report or an expression parser.
    QVariant EvaluateFormula() const;
    /// What the control shows outside printing: FriendlyName, the field's label (or DataField),
    /// the formula in parentheses, else the component name.
    QString SourceName() const;

    /// True (and the reference cleared) when `component` was the data source.
    bool SourceRemoved(const TComponent* component);

private:
    TRLCustomControl& m_control;
    TDataSource* m_dataSource = nullptr;
    QString m_dataField;
    QString m_dataFormula;
    /// The field last found, checked against its dataset on each use: controls read their
    /// field on every print, and a dataset's fields are only ever added to.
    mutable TField* m_foundField = nullptr;
    mutable int m_foundIndex = -1;
};
