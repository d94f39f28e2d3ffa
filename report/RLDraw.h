#pragma once

#include "report/RLCustomControl.h"
#include "support/Geometry.h"

#include <QStringList>

enum TRLDrawKind { dkRectangle, dkLine, dkTriangle, dkElipse, dkArrow, dkCustom };
enum TRLDrawOption : unsigned { doKeepAspectRatio = 1, doKeepSize = 2, doKeepVisible = 4 };
using TRLDrawOptions = unsigned;

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
    QString ClassName() const override;

    TRLDrawKind DrawKind() const { return m_drawKind; }
    /// A kind other than dkCustom also writes its points into DrawData.
    void SetDrawKind(TRLDrawKind kind);
    const QStringList& DrawData() const { return m_drawData; }
    /// A different text is copied and makes the kind dkCustom.
    void SetDrawData(const QStringList& data);
    /// Pixels; 0 takes the control's size. Re-fits.
    int DrawWidth() const { return m_drawWidth; }
    void SetDrawWidth(int width);
    int DrawHeight() const { return m_drawHeight; }
    void SetDrawHeight(int height);
    TRLDrawOptions Options() const { return m_options; }
    /// Re-fits.
    void SetOptions(TRLDrawOptions options);
    /// Degrees, counter-clockwise on the page.
    double Angle = 0;
    bool Center = true;
    TBrush Brush;
    TPen Pen;

    /// Reads the property "Kind" of older layouts ("dkCircle", "dkVertLine"...); names are
    /// compared without case and unknown ones change nothing.
    void ReadLegacyKind(QStringView kind);

    /// The current kind's points in its own coordinates.
    TPointList ShapePoints() const;
    /// Maps the points onto `rect` (or DrawWidth x DrawHeight from its top-left), a square with
    /// doKeepVisible, keeping proportions with doKeepAspectRatio.
    void FitPoints(TPointList& points, const TRect& rect) const;
    void EmitToSurface() override;

private:
    TRLDrawKind m_drawKind = dkRectangle;
    QStringList m_drawData;
    int m_drawWidth = 0;
    int m_drawHeight = 0;
    TRLDrawOptions m_options = 0;
};

class TRLDraw : public TRLCustomDraw {
public:
    explicit TRLDraw(TComponent* owner);
    QString ClassName() const override;
};
