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
    /// 105 x 105 pixels, bound to nothing, deleted by `owner`.
    explicit TRLCustomDBImage(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// Where the picture is read at each print; not owned.
    TDataSource* DataSource() const { return m_binding.DataSource(); }
    /// Reloads the picture; cleared (and the picture emptied) when the data source is destroyed.
    /// Outside printing a failed load only empties the picture: the fault is raised when printing.
    void SetDataSource(TDataSource* source);
    /// The graphic field's name, matched without regard to case.
    const QString& DataField() const { return m_binding.DataField(); }
    /// Reloads the picture and re-fits.
    void SetDataField(const QString& field);

    /// The data source's dataset; nullptr when there is none.
    TDataSet* GetDataSet() const { return m_binding.GetDataSet(); }
    /// Raises "Não encontrado" when the dataset lacks DataField.
    TField* GetField() const { return m_binding.GetField(); }
    /// The current record's picture; empty without a field, an open dataset, a record or bytes.
    /// Bytes that are no picture raise an error naming the dataset and the field.
    void LoadPicture();

protected:
    /// @cond ENGINE
    void EmitToSurface() override;
    void Notification(TComponent* component, TOperation operation) override;
    /// @endcond

private:
    /// LoadPicture; outside printing a failure leaves the picture empty instead.
    void ReloadPicture();

    TRLFieldBinding m_binding;
};

/// The data image component a program creates; see TRLCustomDBImage.
class TRLDBImage : public TRLCustomDBImage {
public:
    /// 105 x 105 pixels, bound to nothing, deleted by `owner`.
    explicit TRLDBImage(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
