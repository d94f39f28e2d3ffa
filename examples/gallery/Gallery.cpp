// One page of what is not text: a colour gradient behind the heading, a picture drawn with Qt and
// printed stretched, scaled and at its own size, the drawing shapes, and borders round labels.
//
//     gallery [OUTPUT_DIR]      writes gallery.pdf and gallery.xls
#include "ExampleOutput.h"

#include "report/RLBand.h"
#include "report/RLBorders.h"
#include "report/RLDegradeEffect.h"
#include "report/RLDraw.h"
#include "report/RLImage.h"
#include "report/RLLabel.h"
#include "report/RLReport.h"
#include "support/Startup.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

using enum TRLBandType;
using enum TRLBorderSide;
using enum TRLBorderSides;
using enum TRLDegradeDirection;
using enum TRLDrawKind;
using enum TRLTextAlignment;
using enum TRLTextLayout;

using namespace Qt::StringLiterals;

namespace {

TFont Font(int height, TFontStyles style = {}, TColor color = clBlack)
{
    TFont font;
    font.Name = u"DejaVu Serif"_s;
    font.Height = height;
    font.Style = style;
    font.Color = color;
    return font;
}

/// Pixels at 96 dpi from the parent band's top-left corner.
template<class T> T* Add(TComponent& form, TControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

/// Bands of one type print in the order of their tops, so each goes below the one before.
TRLBand* AddBand(TComponent& form, TRLReport* report, int height)
{
    int top = 0;
    for (TComponent* component : form.Components())
        if (auto* other = dynamic_cast<TRLBand*>(component))
            top = std::max(top, other->Top() + other->Height());
    auto* band = new TRLBand(&form);
    band->SetBandType(btTitle);
    band->SetParent(report);
    band->SetBounds(band->Left(), top, band->Width(), height);
    return band;
}

TRLLabel* AddCaption(TComponent& form, TControl* band, int left, int top, const QString& caption)
{
    auto* label = Add<TRLLabel>(form, band, left, top, 100, 16);
    label->SetFont(Font(-12, fsItalic));
    label->SetCaption(caption);
    return label;
}

/// A landscape: sky, sun, two hills; 160 x 100 pixels.
QImage Landscape()
{
    QImage image(160, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0, QColor(70, 130, 210));
    sky.setColorAt(1, QColor(200, 230, 250));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 200, 40));
    painter.drawEllipse(QPointF(120, 28), 14, 14);
    QPainterPath far;
    far.moveTo(0, 70);
    far.quadTo(50, 30, 110, 72);
    far.lineTo(160, 60);
    far.lineTo(160, 100);
    far.lineTo(0, 100);
    painter.setBrush(QColor(90, 150, 90));
    painter.drawPath(far);
    painter.setBrush(QColor(40, 110, 50));
    painter.drawEllipse(QPointF(40, 115), 90, 40);
    return image;
}

void AddHeading(TComponent& form, TRLReport* report)
{
    TRLBand* band = AddBand(form, report, 70);
    // The band's colour fades into OppositeColor from left to right, in strips of Granularity pixels.
    band->SetColor(RGBColor(20, 40, 110));
    band->Degrade()->Direction = ddHorizontal;
    band->Degrade()->OppositeColor = RGBColor(150, 210, 240);
    band->Degrade()->Granularity = 4;
    auto* heading = Add<TRLLabel>(form, band, 16, 18, 400, 30);
    heading->SetFont(Font(-26, fsBold, clWhite));
    heading->SetTransparent(true);
    heading->SetCaption(u"Imagens, desenhos e bordas"_s);
}

void AddPictures(TComponent& form, TRLReport* report)
{
    TRLBand* band = AddBand(form, report, 200);
    const QImage landscape = Landscape();
    auto* stretched = Add<TRLImage>(form, band, 0, 8, 260, 160);
    stretched->SetStretch(true);
    stretched->SetPicture(landscape);
    AddCaption(form, band, 0, 172, u"esticada"_s);

    auto* scaled = Add<TRLImage>(form, band, 280, 8, 200, 160);
    scaled->SetScaled(true);
    scaled->Center = true;
    scaled->Borders()->SetSides(sdAll);
    scaled->SetPicture(landscape);
    AddCaption(form, band, 280, 172, u"proporcional"_s);

    auto* natural = Add<TRLImage>(form, band, 500, 8, 200, 160);
    natural->Center = true;
    natural->SetPicture(landscape);
    AddCaption(form, band, 500, 172, u"tamanho natural"_s);
}

void AddDrawings(TComponent& form, TRLReport* report)
{
    TRLBand* band = AddBand(form, report, 170);
    struct TShape {
        TRLDrawKind kind;
        TColor fill;
        TColor line;
        double angle;
        const char16_t* caption;
    };
    const TShape shapes[] = {
        { dkRectangle, RGBColor(255, 230, 150), clMaroon, 0, u"retângulo" },
        { dkElipse, RGBColor(180, 220, 255), clNavy, 0, u"elipse" },
        { dkTriangle, RGBColor(200, 240, 200), clGreen, 0, u"triângulo" },
        { dkArrow, RGBColor(255, 200, 200), clRed, 30, u"seta a 30°" },
        { dkLine, clWhite, clPurple, 45, u"linha a 45°" },
    };
    int left = 0;
    for (const TShape& shape : shapes) {
        auto* draw = Add<TRLDraw>(form, band, left, 8, 120, 120);
        draw->SetDrawKind(shape.kind);
        draw->Brush.Color = shape.fill;
        draw->Pen.Color = shape.line;
        draw->Pen.Width = 3;
        draw->Angle = shape.angle;
        AddCaption(form, band, left, 136, QString::fromUtf16(shape.caption));
        left += 144;
    }
}

void AddBorders(TComponent& form, TRLReport* report)
{
    TRLBand* band = AddBand(form, report, 110);
    struct TFrame {
        TRLBorderSides sides;
        int width;
        TColor color;
        TColor fill;
        const char16_t* caption;
    };
    const TFrame frames[] = {
        { sdAll, 1, clBlack, clWhite, u"todas, 1 pixel" },
        { sdAll, 4, clNavy, RGBColor(255, 250, 205), u"todas, 4 pixels" },
        { sdCustom, 3, clMaroon, clWhite, u"só embaixo e à esquerda" },
    };
    int left = 0;
    for (const TFrame& frame : frames) {
        auto* label = Add<TRLLabel>(form, band, left, 16, 220, 60);
        label->SetAutoSize(false);
        label->SetAlignment(taCenter);
        label->SetLayout(tlCenter);
        label->SetFont(Font(-14));
        label->SetColor(frame.fill);
        label->Borders()->SetSides(frame.sides);
        if (frame.sides == sdCustom) {
            label->Borders()->SetDraw(bsBottom, true);
            label->Borders()->SetDraw(bsLeft, true);
        }
        label->Borders()->SetWidth(frame.width);
        label->Borders()->Color = frame.color;
        label->SetCaption(QString::fromUtf16(frame.caption));
        left += 240;
    }
}

} // namespace

int main(int argc, char** argv)
{
    example::UseOffscreenWithoutDisplay();
    QGuiApplication application(argc, argv);
    const TQuirelLibrary library;

    TComponent form(nullptr);
    auto* report = new TRLReport(&form);
    report->SetName(u"GalleryReport"_s);
    report->Title = u"Galeria"_s;
    AddHeading(form, report);
    AddPictures(form, report);
    AddDrawings(form, report);
    AddBorders(form, report);
    return example::PrepareAndExport(*report, example::OutputDirectory(argc, argv), u"gallery"_s);
}
