#pragma once

#include "report/RLCustomControl.h"
#include "support/Geometry.h"

#include <QStringList>

/// The shape a drawing control prints; dkCustom takes the points of DrawData.
enum class TRLDrawKind { dkRectangle, dkLine, dkTriangle, dkElipse, dkArrow, dkCustom };
/// How the shape is fitted into the control (a set of these in TRLDrawOptions).
enum class TRLDrawOption : unsigned { doKeepAspectRatio = 1, doKeepSize = 2, doKeepVisible = 4 };
/// TRLDrawOption values or-ed together.
Q_DECLARE_FLAGS(TRLDrawOptions, TRLDrawOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TRLDrawOptions)

/// The points of DrawData text: unsigned integers separated by blanks, tabs, line ends or
/// character 26, taken in pairs; reading stops at any other character and a lone x is dropped.
TPointList ParseDrawData(QStringView text);
/// One line per point: x, a blank, y.
QStringList FormatDrawData(const TPointList& points);

/// A filled and outlined shape fitted into the control, turned by Angle.
class TRLCustomDraw : public TRLCustomControl {
public:
    /// 48 x 48 pixels: a centred rectangle, white inside, black one-pixel outline.
    explicit TRLCustomDraw(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond

    /// The shape; a kind other than dkCustom also writes its points into DrawData.
    ///@{
    TRLDrawKind DrawKind() const { return m_drawKind; }
    void SetDrawKind(TRLDrawKind kind);
    ///@}
    /// The shape's points as text, one "x y" a line; a different text is copied and makes the
    /// kind dkCustom.
    ///@{
    const QStringList& DrawData() const { return m_drawData; }
    void SetDrawData(const QStringList& data);
    ///@}
    /// Pixels; 0 takes the control's size. Re-fits.
    ///@{
    int DrawWidth() const { return m_drawWidth; }
    void SetDrawWidth(int width);
    int DrawHeight() const { return m_drawHeight; }
    void SetDrawHeight(int height);
    ///@}
    /// How the shape fits the control; re-fits.
    ///@{
    TRLDrawOptions Options() const { return m_options; }
    void SetOptions(TRLDrawOptions options);
    ///@}
    /// Degrees, counter-clockwise on the page.
    double Angle = 0;
    /// The shape is centred in the control rather than placed at its top-left corner.
    bool Center = true;
    /// The fill inside the shape.
    TBrush Brush;
    /// The outline; its Width in pixels.
    TPen Pen;

    /// Reads the property "Kind" of older layouts ("dkCircle", "dkVertLine"...); names are
    /// compared without case and unknown ones change nothing.
    void ReadLegacyKind(QStringView kind);

    /// The current kind's points in its own coordinates.
    TPointList ShapePoints() const;
    /// Maps the points onto `rect` (or DrawWidth x DrawHeight from its top-left), a square with
    /// doKeepVisible, keeping proportions with doKeepAspectRatio.
    void FitPoints(TPointList& points, const TRect& rect) const;

protected:
    /// @cond ENGINE
    void EmitToSurface() override;
    /// @endcond

private:
    TRLDrawKind m_drawKind = TRLDrawKind::dkRectangle;
    QStringList m_drawData;
    int m_drawWidth = 0;
    int m_drawHeight = 0;
    TRLDrawOptions m_options;
};

/// The drawing component a program creates; see TRLCustomDraw.
class TRLDraw : public TRLCustomDraw {
public:
    /// 48 x 48 pixels: a centred rectangle, white inside, black one-pixel outline; deleted by
    /// `owner`.
    explicit TRLDraw(TComponent* owner);
    /// @cond ENGINE
    QString ClassName() const override;
    /// @endcond
};
