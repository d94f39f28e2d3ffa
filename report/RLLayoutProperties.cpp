// The published properties that only layouts used to set: placement, bands, pagers, grids, the
// page, the preview window and the parts of controls (borders, margins, pen, brush).
#include "report/RLLayoutProperties.h"

#include "db/DataSource.h"
#include "platform/Exceptions.h"
#include "platform/Picture.h"
#include "report/RLBackground.h"
#include "report/RLBorders.h"
#include "report/RLCustomMultiLine.h"
#include "report/RLDBImage.h"
#include "report/RLDBMemo.h"
#include "report/RLDBText.h"
#include "report/RLDegradeEffect.h"
#include "report/RLDetailGrid.h"
#include "report/RLDraw.h"
#include "report/RLImage.h"
#include "report/RLMargins.h"
#include "report/RLPageSetup.h"
#include "report/RLReport.h"
#include "report/RLSystemInfo.h"
#include "support/RLPublishedProperties.h"

#include <QBuffer>
#include <QCoreApplication>

using enum TRLBorderSide;
using enum TRLDrawKind;

namespace {

using namespace Qt::StringLiterals;

const QStringList kBooleanNames { u"False"_s, u"True"_s };
const QStringList kAlignNames { u"faNone"_s, u"faLeft"_s, u"faTop"_s, u"faRight"_s, u"faBottom"_s,
    u"faLeftMost"_s, u"faRightMost"_s, u"faClient"_s, u"faLeftTop"_s, u"faRightTop"_s, u"faLeftBottom"_s,
    u"faRightBottom"_s, u"faCenter"_s, u"faCenterLeft"_s, u"faCenterTop"_s, u"faCenterRight"_s,
    u"faCenterBottom"_s, u"faClientLeft"_s, u"faClientTop"_s, u"faClientRight"_s, u"faClientBottom"_s,
    u"faHeight"_s, u"faWidth"_s, u"faLeftOnly"_s, u"faRightOnly"_s, u"faTopOnly"_s, u"faBottomOnly"_s };
const QStringList kAnchorNames { u"fkLeft"_s, u"fkTop"_s, u"fkRight"_s, u"fkBottom"_s };
const QStringList kBehaviorNames { u"beSiteExpander"_s };
const QStringList kBorderSidesNames { u"sdCustom"_s, u"sdNone"_s, u"sdAll"_s };
const QStringList kBrushStyleNames { u"bsSolid"_s, u"bsClear"_s, u"bsHorizontal"_s, u"bsVertical"_s,
    u"bsFDiagonal"_s, u"bsBDiagonal"_s, u"bsCross"_s, u"bsDiagCross"_s };
const QStringList kPenStyleNames { u"psSolid"_s, u"psDash"_s, u"psDot"_s, u"psDashDot"_s, u"psDashDotDot"_s,
    u"psClear"_s, u"psInsideFrame"_s };
const QStringList kPenModeNames { u"pmBlack"_s, u"pmWhite"_s, u"pmNop"_s, u"pmNot"_s, u"pmCopy"_s,
    u"pmNotCopy"_s, u"pmMergePenNot"_s, u"pmMaskPenNot"_s, u"pmMergeNotPen"_s, u"pmMaskNotPen"_s,
    u"pmMerge"_s, u"pmNotMerge"_s, u"pmMask"_s, u"pmNotMask"_s, u"pmXor"_s, u"pmNotXor"_s };
const QStringList kBandTypeNames { u"btHeader"_s, u"btTitle"_s, u"btColumnHeader"_s, u"btDetail"_s,
    u"btColumnFooter"_s, u"btSummary"_s, u"btFooter"_s };
const QStringList kPageBreakingNames { u"pbNone"_s, u"pbBeforePrint"_s, u"pbAfterPrint"_s };
const QStringList kCompletionNames { u"ctNone"_s, u"ctFullPage"_s, u"ctMaxBands"_s, u"ctMinBands"_s };
const QStringList kBandOptionNames { u"boOptimisticPageBreak"_s };
const QStringList kFooterMeasuringNames { u"fmNone"_s, u"fmAfterHeader"_s, u"fmBeforeDetail"_s };
const QStringList kRecordRangeNames { u"rrAllRecords"_s, u"rrCurrentOnly"_s, u"rrUntilEof"_s, u"rrNextN"_s };
const QStringList kOrganizationNames { u"goInRows"_s, u"goInColumns"_s };
const QStringList kPrintQualityNames { u"pqFullFeature"_s, u"pqFixedOnly"_s };
const QStringList kOrientationNames { u"poPortrait"_s, u"poLandscape"_s };
const QStringList kPaperSizeNames { u"fpA0"_s, u"fpA1"_s, u"fpA2"_s, u"fpA3"_s, u"fpA4"_s, u"fpA5"_s,
    u"fpA6"_s, u"fpA7"_s, u"fpA8"_s, u"fpA9"_s, u"fpA10"_s, u"fpB0"_s, u"fpB1"_s, u"fpB2"_s, u"fpB3"_s,
    u"fpB4"_s, u"fpB5"_s, u"fpB6"_s, u"fpB7"_s, u"fpB8"_s, u"fpB9"_s, u"fpB10"_s, u"fpSRA0"_s, u"fpSRA1"_s,
    u"fpSRA2"_s, u"fpSRA3"_s, u"fpSRA4"_s, u"fpRA0"_s, u"fpRA1"_s, u"fpRA2"_s, u"fpRA3"_s, u"fpRA4"_s,
    u"fp2A"_s, u"fp2B"_s, u"fp4A"_s, u"fp4B"_s, u"fp9x11"_s, u"fp10x11"_s, u"fp10x14"_s, u"fp11x17"_s,
    u"fp12x11"_s, u"fp15x11"_s, u"fpA3_Extra"_s, u"fpA3_Extra_Transverse"_s, u"fpA3_Transverse"_s,
    u"fpA4_Small"_s, u"fpA4_Extra"_s, u"fpA4_Plus"_s, u"fpA4_Transverse"_s, u"fpA5_Extra"_s,
    u"fpA5_Transverse"_s, u"fpA_Plus"_s, u"fpB4_JIS"_s, u"fpB5_Extra"_s, u"fpB5_Transverse"_s, u"fpB6_JIS"_s,
    u"fpB_Plus"_s, u"fpEnv_9"_s, u"fpEnv_10"_s, u"fpEnv_11"_s, u"fpEnv_12"_s, u"fpEnv_14"_s, u"fpEnv_B4"_s,
    u"fpEnv_B5"_s, u"fpEnv_B6"_s, u"fpEnv_C0"_s, u"fpEnv_C1"_s, u"fpEnv_C2"_s, u"fpEnv_C3"_s, u"fpEnv_C4"_s,
    u"fpEnv_C5"_s, u"fpEnv_C5E"_s, u"fpEnv_C6"_s, u"fpEnv_C65"_s, u"fpEnv_C7"_s, u"fpEnv_C8"_s, u"fpEnv_C9"_s,
    u"fpEnv_C10"_s, u"fpEnv_DL"_s, u"fpEnv_Invite"_s, u"fpEnv_Italy"_s, u"fpEnv_Monarch"_s,
    u"fpEnv_Personal"_s, u"fpLetter"_s, u"fpLegal"_s, u"fpLedger"_s, u"fpTabloid"_s, u"fpExecutive"_s,
    u"fpFanfold_US"_s, u"fpComm10E"_s, u"fpDLE"_s, u"fpFolio"_s, u"fpNote"_s, u"fpPostcard"_s, u"fpQuarto"_s,
    u"fpStatement"_s, u"fpLegal_Extra"_s, u"fpLegal3"_s, u"fpLetter_Small"_s, u"fpLetter_Extra"_s,
    u"fpLetter_Extra_Transverse"_s, u"fpLetter_Plus"_s, u"fpLetter_Transverse"_s, u"fpP16K"_s, u"fpP32K"_s,
    u"fpP32KBig"_s, u"fpPEnv_1"_s, u"fpPEnv_2"_s, u"fpPEnv_3"_s, u"fpPEnv_4"_s, u"fpPEnv_5"_s, u"fpPEnv_6"_s,
    u"fpPEnv_7"_s, u"fpPEnv_8"_s, u"fpPEnv_9"_s, u"fpPEnv_10"_s, u"fpTabloid_Extra"_s,
    u"fpGerman_Legal_Fanfold"_s, u"fpGerman_Std_Fanfold"_s, u"fpJap_DblPostcard"_s, u"fpJap_Postcard"_s,
    u"fpEng_Foolscap"_s, u"fpEng_DoubleFoolscap"_s, u"fpEng_QuadFoolscap"_s, u"fpEng_Crown"_s,
    u"fpEng_DoubleCrown"_s, u"fpEng_QuadCrown"_s, u"fpEng_DoubleQuad"_s, u"fpEng_Post"_s,
    u"fpEng_DoublePost"_s, u"fpEng_DoubleLarge"_s, u"fpEng_Demy"_s, u"fpEng_DoubleDemy"_s,
    u"fpEng_QuadDemy"_s, u"fpEng_MusicDemy"_s, u"fpEng_Medium"_s, u"fpEng_Royal"_s, u"fpEng_SuperRoyal"_s,
    u"fpEng_Elephant"_s, u"fpEng_Imperial"_s, u"fpCustom"_s, u"fpDefault"_s };
const QStringList kPreviewDefaultsNames { u"pdUseDefaults"_s, u"pdIgnoreDefaults"_s };
const QStringList kFormStyleNames { u"fsNormal"_s, u"fsMDIChild"_s, u"fsMDIForm"_s, u"fsStayOnTop"_s };
const QStringList kFormPositionNames { u"poDesigned"_s, u"poDefault"_s, u"poDefaultPosOnly"_s,
    u"poDefaultSizeOnly"_s, u"poScreenCenter"_s, u"poDesktopCenter"_s, u"poMainFormCenter"_s,
    u"poOwnerFormCenter"_s };
const QStringList kWindowStateNames { u"wsNormal"_s, u"wsMinimized"_s, u"wsMaximized"_s };
const QStringList kBorderIconNames { u"biSystemMenu"_s, u"biMinimize"_s, u"biMaximize"_s, u"biHelp"_s };
const QStringList kDrawKindNames { u"dkRectangle"_s, u"dkLine"_s, u"dkTriangle"_s, u"dkElipse"_s,
    u"dkArrow"_s, u"dkCustom"_s };
const QStringList kDrawOptionNames { u"doKeepAspectRatio"_s, u"doKeepSize"_s, u"doKeepVisible"_s };
const QStringList kInfoNames { u"itCarbonCopy"_s, u"itDate"_s, u"itDetailCount"_s, u"itFullDate"_s,
    u"itHour"_s, u"itJunction"_s, u"itLastPageNumber"_s, u"itMend"_s, u"itNow"_s, u"itPageNumber"_s,
    u"itPagePreview"_s, u"itTitle"_s, u"itRecNo"_s, u"itCopyNo"_s };
const QStringList kImageArrangeNames { u"baAligned"_s, u"baSidebySide"_s, u"baCenter"_s, u"baDistributed"_s };
const QStringList kHoldStyleNames { u"hsAsColumn"_s, u"hsHorizontally"_s, u"hsVertically"_s,
    u"hsRelatively"_s, u"hsCopyWidth"_s, u"hsCopyHeight"_s, u"hsCopySize"_s };
const QStringList kDegradeDirectionNames { u"ddNone"_s, u"ddHorizontal"_s, u"ddVertical"_s };

double FloatValue(QStringView property, const TVariant& value)
{
    if (value.Type() != TVariantType::Integer && value.Type() != TVariantType::Double)
        throw EReportError(
            QStringLiteral("Invalid value \"%1\" for property %2").arg(value.ToString(), property));
    return value.ToDouble();
}

/// The data source of that name among the component's owner's components; none for "".
TDataSource* FindDataSource(const TComponent& component, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const TComponent* owner = component.Owner();
    auto* source = owner ? dynamic_cast<TDataSource*>(owner->FindComponent(name)) : nullptr;
    if (!source)
        throw EReportError(QCoreApplication::translate("TRLLayout", "No data source named %1").arg(name));
    return source;
}

/// The control of that name among the control's owner's components; none for "".
TRLCustomControl* FindHolder(const TComponent& component, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const TComponent* owner = component.Owner();
    auto* holder = owner ? dynamic_cast<TRLCustomControl*>(owner->FindComponent(name)) : nullptr;
    if (!holder)
        throw EReportError(QCoreApplication::translate("TRLLayout", "No control named %1").arg(name));
    return holder;
}

QString PictureMimeType(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Bitmap:
        return u"image/bmp"_s;
    case TPictureFormat::Icon:
        return u"image/x-icon"_s;
    case TPictureFormat::Png:
        return u"image/png"_s;
    case TPictureFormat::Jpeg:
        return u"image/jpeg"_s;
    case TPictureFormat::Unknown:
        break;
    }
    return {};
}

/// The picture as a data URI of the file it was loaded from, so that the bytes pages keep stay
/// the same; a picture made in code goes as PNG, which keeps every pixel. "" for no picture.
QString PictureText(const QImage& picture, QByteArray file)
{
    if (picture.isNull())
        return {};
    if (file.isEmpty()) {
        QBuffer buffer(&file);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
    }
    return u"data:"_s + PictureMimeType(DetectPictureFormat(file)) + u";base64,"_s
        + QString::fromLatin1(file.toBase64());
}

/// The file bytes of PictureText's data URI; empty for "". Throws EReportError when the text is no
/// base64 data URI or names another format than its bytes are.
QByteArray PictureFile(QStringView property, const TVariant& value)
{
    const QString text = value.ToString();
    if (text.isEmpty())
        return {};
    const qsizetype comma = text.indexOf(u',');
    const QString head = text.left(comma);
    const QString prefix = u"data:"_s;
    const QString suffix = u";base64"_s;
    QByteArray file;
    if (comma > 0 && head.startsWith(prefix) && head.endsWith(suffix)) {
        const auto decoded = QByteArray::fromBase64Encoding(
            text.mid(comma + 1).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (decoded)
            file = *decoded;
    }
    const QString type = head.mid(prefix.size(), head.size() - prefix.size() - suffix.size());
    if (file.isEmpty() || type != PictureMimeType(DetectPictureFormat(file)))
        throw EReportError(QCoreApplication::translate("TRLLayout",
            "Property %1 must be a picture as \"data:image/png;base64,...\" (BMP, ICO, PNG or JPEG)")
                               .arg(property));
    return file;
}

/// Adds properties of class T, or of its part `part` when one is given, through getters and setters.
template<class T> class TAdder {
public:
    explicit TAdder(TRLPublishedProperties& table, QString part = {})
        : m_table(table)
        , m_part(std::move(part))
    {
        if (!m_part.isEmpty())
            m_table.AddPart<T>(m_part);
    }

    void Integer(const QString& name, std::function<int(T&)> get, std::function<void(T&, int)> set)
    {
        Add(
            name, TRLPropertyKind::Integer, [get](T& c) { return TVariant(get(c)); },
            [name, set](T& c, const TVariant& v) { set(c, IntegerValue(name, v)); });
    }
    void Color(const QString& name, std::function<TColor(T&)> get, std::function<void(T&, TColor)> set)
    {
        Add(
            name, TRLPropertyKind::Integer, [get](T& c) { return TVariant(qint64(get(c))); },
            [name, set](T& c, const TVariant& v) { set(c, TColor(IntegerValue(name, v))); });
    }
    void Float(const QString& name, std::function<double(T&)> get, std::function<void(T&, double)> set)
    {
        Add(
            name, TRLPropertyKind::Float, [get](T& c) { return TVariant(get(c)); },
            [name, set](T& c, const TVariant& v) { set(c, FloatValue(name, v)); });
    }
    void Text(
        const QString& name, std::function<QString(T&)> get, std::function<void(T&, const QString&)> set)
    {
        Add(
            name, TRLPropertyKind::String, [get](T& c) { return TVariant(get(c)); },
            [set](T& c, const TVariant& v) { set(c, v.ToString()); });
    }
    void Boolean(const QString& name, std::function<bool(T&)> get, std::function<void(T&, bool)> set)
    {
        Add(
            name, TRLPropertyKind::Enumeration,
            [get](T& c) { return TVariant(kBooleanNames.at(get(c) ? 1 : 0)); },
            [name, set](T& c, const TVariant& v) {
                set(c,
                    v.Type() == TVariantType::Boolean ? v.ToBool()
                                                      : EnumerationValue(name, kBooleanNames, v) == 1);
            });
    }
    void Enumeration(const QString& name, const QStringList& names, std::function<int(T&)> get,
        std::function<void(T&, int)> set)
    {
        Add(
            name, TRLPropertyKind::Enumeration, [&names, get](T& c) { return TVariant(names.value(get(c))); },
            [&names, name, set](T& c, const TVariant& v) { set(c, EnumerationValue(name, names, v)); });
    }
    void Set(const QString& name, const QStringList& names, std::function<unsigned(T&)> get,
        std::function<void(T&, unsigned)> set)
    {
        Add(
            name, TRLPropertyKind::Set, [&names, get](T& c) { return TVariant(SetText(names, get(c))); },
            [&names, name, set](T& c, const TVariant& v) { set(c, SetValue(name, names, v)); });
    }
    void Source(
        const QString& name, std::function<TDataSource*(T&)> get, std::function<void(T&, TDataSource*)> set)
    {
        Add(
            name, TRLPropertyKind::Reference,
            [get](T& c) {
                TDataSource* source = get(c);
                return TVariant(source ? source->Name() : QString());
            },
            [set](T& c, const TVariant& v) { set(c, FindDataSource(c, v.ToString())); });
    }
    void Control(const QString& name, std::function<TRLCustomControl*(T&)> get,
        std::function<void(T&, TRLCustomControl*)> set)
    {
        Add(
            name, TRLPropertyKind::Reference,
            [get](T& c) {
                TRLCustomControl* control = get(c);
                return TVariant(control ? control->Name() : QString());
            },
            [set](T& c, const TVariant& v) { set(c, FindHolder(c, v.ToString())); });
    }
    void Picture(
        const QString& name, std::function<QString(T&)> get, std::function<void(T&, const QByteArray&)> set)
    {
        Add(
            name, TRLPropertyKind::String, [get](T& c) { return TVariant(get(c)); },
            [name, set](T& c, const TVariant& v) { set(c, PictureFile(name, v)); });
    }
    /// The property added last is kept by layouts only where `stored` says so.
    void StoredWhen(std::function<bool(T&)> stored)
    {
        m_table.Last().Stored
            = [stored](const TRLPathObject& object) { return stored(*dynamic_cast<T*>(object.Component)); };
    }

private:
    void Add(const QString& name, TRLPropertyKind kind, std::function<TVariant(T&)> read,
        std::function<void(T&, const TVariant&)> write)
    {
        if (m_part.isEmpty())
            m_table.AddFor<T>(name, kind, std::move(read), std::move(write));
        else
            m_table.AddPartProperty<T>(m_part, name, kind, std::move(read), std::move(write));
    }

    TRLPublishedProperties& m_table;
    QString m_part;
};

bool DrawsSide(const TRLBorders& borders, TRLBorderSide side)
{
    switch (side) {
    case bsLeft:
        return borders.DrawLeft();
    case bsTop:
        return borders.DrawTop();
    case bsRight:
        return borders.DrawRight();
    case bsBottom:
        return borders.DrawBottom();
    }
    return false;
}

void AddControlLayout(TRLPublishedProperties& table)
{
    using C = TRLCustomControl;
    TAdder<C> control(table);
    control.Enumeration(
        u"Align"_s, kAlignNames, [](C& c) { return int(c.Align()); },
        [](C& c, int v) { c.SetAlign(TRLControlAlign(v)); });
    control.Set(
        u"Anchors"_s, kAnchorNames, [](C& c) { return c.Anchors().toInt(); },
        [](C& c, unsigned v) { c.SetAnchors(TRLControlAnchors::fromInt(v)); });
    control.Boolean(
        u"AutoExpand"_s, [](C& c) { return c.AutoExpand(); }, [](C& c, bool v) { c.SetAutoExpand(v); });
    control.Set(
        u"Behavior"_s, kBehaviorNames, [](C& c) { return c.Behavior().toInt(); },
        [](C& c, unsigned v) { c.SetBehavior(TRLControlBehavior::fromInt(v)); });
    control.Boolean(
        u"Enabled"_s, [](C& c) { return c.Enabled(); }, [](C& c, bool v) { c.SetEnabled(v); });
    control.Enumeration(
        u"HoldStyle"_s, kHoldStyleNames, [](C& c) { return int(c.HoldStyle()); },
        [](C& c, int v) { c.SetHoldStyle(TRLHoldStyle(v)); });
    control.Enumeration(
        u"SecondHoldStyle"_s, kHoldStyleNames, [](C& c) { return int(c.SecondHoldStyle()); },
        [](C& c, int v) { c.SetSecondHoldStyle(TRLHoldStyle(v)); });
    control.Control(
        u"Holder"_s, [](C& c) { return c.Holder(); }, [](C& c, TRLCustomControl* v) { c.SetHolder(v); });
    control.Control(
        u"SecondHolder"_s, [](C& c) { return c.SecondHolder(); },
        [](C& c, TRLCustomControl* v) { c.SetSecondHolder(v); });

    TAdder<C> borders(table, u"Borders"_s);
    borders.Enumeration(
        u"Sides"_s, kBorderSidesNames, [](C& c) { return int(c.Borders()->Sides()); },
        [](C& c, int v) { c.Borders()->SetSides(TRLBorderSides(v)); });
    const std::pair<QString, TRLBorderSide> sides[] { { u"Left"_s, bsLeft }, { u"Top"_s, bsTop },
        { u"Right"_s, bsRight }, { u"Bottom"_s, bsBottom } };
    for (const auto& entry : sides) {
        const TRLBorderSide side = entry.second;
        borders.Boolean(
            u"Draw"_s + entry.first, [side](C& c) { return DrawsSide(*c.Borders(), side); },
            [side](C& c, bool v) { c.Borders()->SetDraw(side, v); });
    }
    for (const auto& entry : sides) {
        const TRLBorderSide side = entry.second;
        borders.Boolean(
            u"Fixed"_s + entry.first, [side](C& c) { return c.Borders()->Fixed(side); },
            [side](C& c, bool v) { c.Borders()->SetFixed(side, v); });
    }
    borders.Integer(
        u"Width"_s, [](C& c) { return c.Borders()->Width(); }, [](C& c, int v) { c.Borders()->SetWidth(v); });
    borders.Color(
        u"Color"_s, [](C& c) { return c.Borders()->Color; }, [](C& c, TColor v) { c.Borders()->Color = v; });
    borders.Enumeration(
        u"Style"_s, kBrushStyleNames, [](C& c) { return int(c.Borders()->Style); },
        [](C& c, int v) { c.Borders()->Style = TBrushStyle(v); });
}

void AddMargins(
    TRLPublishedProperties& table, const QString& part, TRLMargins* (TRLCustomSite::*margins)() const)
{
    using S = TRLCustomSite;
    TAdder<S> adder(table, part);
    adder.Float(
        u"LeftMargin"_s, [margins](S& s) { return (s.*margins)()->LeftMargin(); },
        [margins](S& s, double v) { (s.*margins)()->SetLeftMargin(v); });
    adder.Float(
        u"TopMargin"_s, [margins](S& s) { return (s.*margins)()->TopMargin(); },
        [margins](S& s, double v) { (s.*margins)()->SetTopMargin(v); });
    adder.Float(
        u"RightMargin"_s, [margins](S& s) { return (s.*margins)()->RightMargin(); },
        [margins](S& s, double v) { (s.*margins)()->SetRightMargin(v); });
    adder.Float(
        u"BottomMargin"_s, [margins](S& s) { return (s.*margins)()->BottomMargin(); },
        [margins](S& s, double v) { (s.*margins)()->SetBottomMargin(v); });
}

void AddSiteLayout(TRLPublishedProperties& table)
{
    using S = TRLCustomSite;
    AddMargins(table, u"Margins"_s, &S::Margins);
    AddMargins(table, u"InsideMargins"_s, &S::InsideMargins);

    TAdder<S> background(table, u"Background"_s);
    background.Enumeration(
        u"Align"_s, kAlignNames, [](S& s) { return int(s.Background()->Align); },
        [](S& s, int v) { s.Background()->Align = TRLControlAlign(v); });
    background.Enumeration(
        u"Arrange"_s, kImageArrangeNames, [](S& s) { return int(s.Background()->Arrange); },
        [](S& s, int v) { s.Background()->Arrange = TRLImageArrange(v); });
    background.Boolean(
        u"Stretch"_s, [](S& s) { return s.Background()->Stretch; },
        [](S& s, bool v) { s.Background()->Stretch = v; });
    background.Integer(
        u"Width"_s, [](S& s) { return s.Background()->Width; },
        [](S& s, int v) { s.Background()->Width = v; });
    background.Integer(
        u"Height"_s, [](S& s) { return s.Background()->Height; },
        [](S& s, int v) { s.Background()->Height = v; });
    background.Boolean(
        u"AutoSize"_s, [](S& s) { return s.Background()->AutoSize(); },
        [](S& s, bool v) { s.Background()->SetAutoSize(v); });
    background.Picture(
        u"Picture"_s,
        [](S& s) { return PictureText(s.Background()->Picture(), s.Background()->PictureFile()); },
        [](S& s, const QByteArray& file) {
            if (file.isEmpty())
                s.Background()->SetPicture(QImage());
            else
                s.Background()->LoadPictureFile(file);
        });

    TAdder<S> degrade(table, u"Degrade"_s);
    degrade.Enumeration(
        u"Direction"_s, kDegradeDirectionNames, [](S& s) { return int(s.Degrade()->Direction); },
        [](S& s, int v) { s.Degrade()->Direction = TRLDegradeDirection(v); });
    degrade.Color(
        u"OppositeColor"_s, [](S& s) { return s.Degrade()->OppositeColor; },
        [](S& s, TColor v) { s.Degrade()->OppositeColor = v; });
    degrade.Integer(
        u"Granularity"_s, [](S& s) { return s.Degrade()->Granularity; },
        [](S& s, int v) { s.Degrade()->Granularity = v; });
}

void AddBandLayout(TRLPublishedProperties& table)
{
    using B = TRLCustomBand;
    TAdder<B> band(table);
    band.Enumeration(
        u"BandType"_s, kBandTypeNames, [](B& b) { return int(b.BandType()); },
        [](B& b, int v) { b.SetBandType(TRLBandType(v)); });
    band.Integer(
        u"CarbonCopies"_s, [](B& b) { return b.CarbonCopies(); }, [](B& b, int v) { b.SetCarbonCopies(v); });
    band.Integer(
        u"GroupIndex"_s, [](B& b) { return b.GroupIndex(); }, [](B& b, int v) { b.SetGroupIndex(v); });
    band.Boolean(
        u"Computable"_s, [](B& b) { return b.Computable; }, [](B& b, bool v) { b.Computable = v; });
    band.Enumeration(
        u"PageBreaking"_s, kPageBreakingNames, [](B& b) { return int(b.PageBreaking); },
        [](B& b, int v) { b.PageBreaking = TRLPageBreaking(v); });
    band.Enumeration(
        u"Completion"_s, kCompletionNames, [](B& b) { return int(b.Completion); },
        [](B& b, int v) { b.Completion = TRLCompletionType(v); });
    band.Boolean(
        u"AlignToBottom"_s, [](B& b) { return b.AlignToBottom; }, [](B& b, bool v) { b.AlignToBottom = v; });
    band.Boolean(
        u"IntegralHeight"_s, [](B& b) { return b.IntegralHeight; },
        [](B& b, bool v) { b.IntegralHeight = v; });
    band.Set(
        u"Options"_s, kBandOptionNames, [](B& b) { return b.Options.toInt(); },
        [](B& b, unsigned v) { b.Options = TRLBandOptions::fromInt(v); });

    using G = TRLCustomDetailGrid;
    TAdder<G> grid(table);
    grid.Integer(
        u"ColCount"_s, [](G& g) { return g.ColCount(); }, [](G& g, int v) { g.SetColCount(v); });
    grid.Float(
        u"ColSpacing"_s, [](G& g) { return g.ColSpacing(); }, [](G& g, double v) { g.SetColSpacing(v); });
    grid.Float(
        u"ColWidth"_s, [](G& g) { return g.ColWidth(); }, [](G& g, double v) { g.SetColWidth(v); });
    grid.Enumeration(
        u"Organization"_s, kOrganizationNames, [](G& g) { return int(g.Organization); },
        [](G& g, int v) { g.Organization = TRLGridOrganization(v); });
}

void AddPagerLayout(TRLPublishedProperties& table)
{
    using P = TRLCustomPager;
    TAdder<P> pager(table);
    pager.Integer(
        u"MaxBands"_s, [](P& p) { return p.MaxBands; }, [](P& p, int v) { p.MaxBands = v; });
    pager.Integer(
        u"MinBands"_s, [](P& p) { return p.MinBands; }, [](P& p, int v) { p.MinBands = v; });
    pager.Boolean(
        u"ForceMinBands"_s, [](P& p) { return p.ForceMinBands; }, [](P& p, bool v) { p.ForceMinBands = v; });
    pager.Enumeration(
        u"FooterMeasuring"_s, kFooterMeasuringNames, [](P& p) { return int(p.FooterMeasuring); },
        [](P& p, int v) { p.FooterMeasuring = TRLFooterMeasuring(v); });
    pager.Enumeration(
        u"PageBreaking"_s, kPageBreakingNames, [](P& p) { return int(p.PageBreaking); },
        [](P& p, int v) { p.PageBreaking = TRLPageBreaking(v); });

    using K = TRLCustomSkipper;
    TAdder<K> skipper(table);
    skipper.Source(
        u"DataSource"_s, [](K& k) { return k.DataSource(); },
        [](K& k, TDataSource* v) { k.SetDataSource(v); });
    skipper.Enumeration(
        u"RecordRange"_s, kRecordRangeNames, [](K& k) { return int(k.RecordRange); },
        [](K& k, int v) { k.RecordRange = TRLRecordRange(v); });
    skipper.Integer(
        u"RangeCount"_s, [](K& k) { return k.RangeCount; }, [](K& k, int v) { k.RangeCount = v; });
    skipper.Boolean(
        u"PrintEmpty"_s, [](K& k) { return k.PrintEmpty; }, [](K& k, bool v) { k.PrintEmpty = v; });
}

void AddReportLayout(TRLPublishedProperties& table)
{
    using R = TRLCustomReport;
    TAdder<R> report(table);
    report.Boolean(
        u"PrintDialog"_s, [](R& r) { return r.PrintDialog; }, [](R& r, bool v) { r.PrintDialog = v; });
    report.Boolean(
        u"ShowDesigners"_s, [](R& r) { return r.ShowDesigners; }, [](R& r, bool v) { r.ShowDesigners = v; });
    report.Boolean(
        u"ShowTracks"_s, [](R& r) { return r.ShowTracks; }, [](R& r, bool v) { r.ShowTracks = v; });
    report.Boolean(
        u"ShowExplosion"_s, [](R& r) { return r.ShowExplosion; }, [](R& r, bool v) { r.ShowExplosion = v; });
    report.Boolean(
        u"ShowProgress"_s, [](R& r) { return r.ShowProgress; }, [](R& r, bool v) { r.ShowProgress = v; });
    report.Boolean(
        u"AdjustableMargins"_s, [](R& r) { return r.AdjustableMargins; },
        [](R& r, bool v) { r.AdjustableMargins = v; });
    report.Boolean(
        u"ForcePrepare"_s, [](R& r) { return r.ForcePrepare; }, [](R& r, bool v) { r.ForcePrepare = v; });
    report.Enumeration(
        u"PrintQuality"_s, kPrintQualityNames, [](R& r) { return int(r.PrintQuality); },
        [](R& r, int v) { r.PrintQuality = TRLPrintQuality(v); });

    TAdder<R> page(table, u"PageSetup"_s);
    page.Enumeration(
        u"PaperSize"_s, kPaperSizeNames, [](R& r) { return int(r.PageSetup()->PaperSize()); },
        [](R& r, int v) { r.PageSetup()->SetPaperSize(TRLPaperSize(v)); });
    page.Float(
        u"PaperWidth"_s, [](R& r) { return r.PageSetup()->PaperWidth(); },
        [](R& r, double v) { r.PageSetup()->SetPaperWidth(v); });
    page.StoredWhen([](R& r) { return r.PageSetup()->PaperDimensionsStored(); });
    page.Float(
        u"PaperHeight"_s, [](R& r) { return r.PageSetup()->PaperHeight(); },
        [](R& r, double v) { r.PageSetup()->SetPaperHeight(v); });
    page.StoredWhen([](R& r) { return r.PageSetup()->PaperDimensionsStored(); });
    page.Enumeration(
        u"Orientation"_s, kOrientationNames, [](R& r) { return int(r.PageSetup()->Orientation()); },
        [](R& r, int v) { r.PageSetup()->SetOrientation(TRLPageOrientation(v)); });
    page.Boolean(
        u"ForceEmulation"_s, [](R& r) { return r.PageSetup()->ForceEmulation(); },
        [](R& r, bool v) { r.PageSetup()->SetForceEmulation(v); });

    TAdder<R> preview(table, u"PreviewOptions"_s);
    preview.Enumeration(
        u"Defaults"_s, kPreviewDefaultsNames, [](R& r) { return int(r.PreviewOptions()->Defaults); },
        [](R& r, int v) { r.PreviewOptions()->Defaults = TRLPreviewDefaults(v); });
    preview.Boolean(
        u"ShowModal"_s, [](R& r) { return r.PreviewOptions()->ShowModal; },
        [](R& r, bool v) { r.PreviewOptions()->ShowModal = v; });
    preview.Enumeration(
        u"FormStyle"_s, kFormStyleNames, [](R& r) { return int(r.PreviewOptions()->FormStyle); },
        [](R& r, int v) { r.PreviewOptions()->FormStyle = TRLFormStyle(v); });
    preview.Enumeration(
        u"Position"_s, kFormPositionNames, [](R& r) { return int(r.PreviewOptions()->Position); },
        [](R& r, int v) { r.PreviewOptions()->Position = TRLFormPosition(v); });
    preview.Enumeration(
        u"WindowState"_s, kWindowStateNames, [](R& r) { return int(r.PreviewOptions()->WindowState); },
        [](R& r, int v) { r.PreviewOptions()->WindowState = TRLWindowState(v); });
    preview.Set(
        u"BorderIcons"_s, kBorderIconNames, [](R& r) { return r.PreviewOptions()->BorderIcons.toInt(); },
        [](R& r, unsigned v) { r.PreviewOptions()->BorderIcons = TRLBorderIcons::fromInt(v); });
    preview.Text(
        u"HelpFile"_s, [](R& r) { return r.PreviewOptions()->HelpFile; },
        [](R& r, const QString& v) { r.PreviewOptions()->HelpFile = v; });
    preview.Integer(
        u"HelpContext"_s, [](R& r) { return r.PreviewOptions()->HelpContext; },
        [](R& r, int v) { r.PreviewOptions()->HelpContext = v; });
    preview.Text(
        u"Caption"_s, [](R& r) { return r.PreviewOptions()->Caption; },
        [](R& r, const QString& v) { r.PreviewOptions()->Caption = v; });
    preview.StoredWhen([](R& r) { return r.PreviewOptions()->CaptionStored(); });
}

template<class C> void AddDataSource(TRLPublishedProperties& table)
{
    TAdder<C>(table).Source(
        u"DataSource"_s, [](C& c) { return c.DataSource(); },
        [](C& c, TDataSource* v) { c.SetDataSource(v); });
}

void AddLeafControls(TRLPublishedProperties& table)
{
    AddDataSource<TRLCustomDBText>(table);
    AddDataSource<TRLCustomDBMemo>(table);
    using L = TRLCustomMultiLine;
    TAdder<L> lines(table);
    lines.Boolean(
        u"WordWrap"_s, [](L& l) { return l.WordWrap(); }, [](L& l, bool v) { l.SetWordWrap(v); });
    lines.Boolean(
        u"IntegralHeight"_s, [](L& l) { return l.IntegralHeight; },
        [](L& l, bool v) { l.IntegralHeight = v; });

    using I = TRLCustomImage;
    TAdder<I> image(table);
    image.Boolean(
        u"Stretch"_s, [](I& i) { return i.Stretch(); }, [](I& i, bool v) { i.SetStretch(v); });
    image.Boolean(
        u"Scaled"_s, [](I& i) { return i.Scaled(); }, [](I& i, bool v) { i.SetScaled(v); });
    image.Boolean(
        u"Center"_s, [](I& i) { return i.Center; }, [](I& i, bool v) { i.Center = v; });
    // A data image's picture comes from its field.
    TAdder<TRLImage>(table).Picture(
        u"Picture"_s, [](TRLImage& i) { return PictureText(i.Picture(), i.PictureFile()); },
        [](TRLImage& i, const QByteArray& file) {
            if (file.isEmpty())
                i.SetPicture(QImage());
            else
                i.LoadPictureFile(file);
        });
    using D = TRLCustomDBImage;
    AddDataSource<D>(table);
    TAdder<D>(table).Text(
        u"DataField"_s, [](D& d) { return d.DataField(); },
        [](D& d, const QString& v) { d.SetDataField(v); });

    using S = TRLCustomSystemInfo;
    TAdder<S> info(table);
    info.Enumeration(
        u"Info"_s, kInfoNames, [](S& s) { return int(s.Info()); },
        [](S& s, int v) { s.SetInfo(TRLInfoType(v)); });
    info.Text(
        u"Text"_s, [](S& s) { return s.Text(); }, [](S& s, const QString& v) { s.SetText(v); });
}

void AddDrawing(TRLPublishedProperties& table)
{
    using D = TRLCustomDraw;
    TAdder<D> draw(table);
    draw.Enumeration(
        u"DrawKind"_s, kDrawKindNames, [](D& d) { return int(d.DrawKind()); },
        [](D& d, int v) { d.SetDrawKind(TRLDrawKind(v)); });
    // Points follow from any kind but dkCustom.
    draw.Text(
        u"DrawData"_s, [](D& d) { return d.DrawData().join(u'\n'); },
        [](D& d, const QString& v) { d.SetDrawData(v.split(u'\n', Qt::SkipEmptyParts)); });
    draw.StoredWhen([](D& d) { return d.DrawKind() == dkCustom; });
    draw.Integer(
        u"DrawWidth"_s, [](D& d) { return d.DrawWidth(); }, [](D& d, int v) { d.SetDrawWidth(v); });
    draw.Integer(
        u"DrawHeight"_s, [](D& d) { return d.DrawHeight(); }, [](D& d, int v) { d.SetDrawHeight(v); });
    draw.Set(
        u"Options"_s, kDrawOptionNames, [](D& d) { return d.Options().toInt(); },
        [](D& d, unsigned v) { d.SetOptions(TRLDrawOptions::fromInt(v)); });
    draw.Float(
        u"Angle"_s, [](D& d) { return d.Angle; }, [](D& d, double v) { d.Angle = v; });
    draw.Boolean(
        u"Center"_s, [](D& d) { return d.Center; }, [](D& d, bool v) { d.Center = v; });

    TAdder<D> pen(table, u"Pen"_s);
    pen.Color(
        u"Color"_s, [](D& d) { return d.Pen.Color; }, [](D& d, TColor v) { d.Pen.Color = v; });
    pen.Integer(
        u"Width"_s, [](D& d) { return d.Pen.Width; }, [](D& d, int v) { d.Pen.Width = v; });
    pen.Enumeration(
        u"Style"_s, kPenStyleNames, [](D& d) { return int(d.Pen.Style); },
        [](D& d, int v) { d.Pen.Style = TPenStyle(v); });
    pen.Enumeration(
        u"Mode"_s, kPenModeNames, [](D& d) { return int(d.Pen.Mode); },
        [](D& d, int v) { d.Pen.Mode = TPenMode(v); });
    TAdder<D> brush(table, u"Brush"_s);
    brush.Color(
        u"Color"_s, [](D& d) { return d.Brush.Color; }, [](D& d, TColor v) { d.Brush.Color = v; });
    brush.Enumeration(
        u"Style"_s, kBrushStyleNames, [](D& d) { return int(d.Brush.Style); },
        [](D& d, int v) { d.Brush.Style = TBrushStyle(v); });
}

} // namespace

void AddLayoutProperties(TRLPublishedProperties& table)
{
    AddControlLayout(table);
    AddSiteLayout(table);
    AddBandLayout(table);
    AddPagerLayout(table);
    AddReportLayout(table);
    AddLeafControls(table);
    AddDrawing(table);
}
