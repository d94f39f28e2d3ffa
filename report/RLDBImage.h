#pragma once

#include "report/RLFieldBinding.h"
#include "report/RLImage.h"

class TDataSet;
class TDataSource;
class TField;

/// An image whose picture is read from a graphic (or binary) field at every print. The field
/// holds a bitmap, icon, PNG or JPEG file, after the 8-byte header that graphic fields carry.
class TRLCustomDBImage : public TRLCustomImage {
public:
    explicit TRLCustomDBImage(TComponent* owner);
    QString ClassName() const override;

    TDataSource* DataSource() const { return m_binding.DataSource(); }
    /// Reloads the picture; cleared (and the picture emptied) when the data source is destroyed.
    /// Outside printing a failed load only empties the picture: the fault is raised when printing.
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return m_binding.DataField(); }
    /// Reloads the picture and re-fits.
    void SetDataField(const QString& field);

    TDataSet* GetDataSet() const { return m_binding.GetDataSet(); }
    /// Raises "Não encontrado" when the dataset lacks DataField.
    TField* GetField() const { return m_binding.GetField(); }
    /// The current record's picture; empty without a field, an open dataset, a record or bytes.
    /// Bytes that are no picture raise an error naming the dataset and the field.
    void LoadPicture();

protected:
    void EmitToSurface() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    /// LoadPicture; outside printing a failure leaves the picture empty instead.
    void ReloadPicture();

    TRLFieldBinding m_binding;
};

class TRLDBImage : public TRLCustomDBImage {
public:
    explicit TRLDBImage(TComponent* owner);
    QString ClassName() const override;
};
