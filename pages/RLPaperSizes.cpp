#include "pages/RLPaperSizes.h"

#include <QStringLiteral>
#include <array>
#include <cmath>

namespace {

struct TPaperRow {
    const char16_t* Description;
    double Width;
    double Height;
    std::optional<int> Code;
};

/// In TRLPaperSize order.
constexpr TPaperRow kPaperRows[kPaperSizeCount] = {
    { u"A0 841 x 1189 mm", 841.0, 1189.0, std::nullopt },
    { u"A1 594 x 841 mm", 594.0, 841.0, std::nullopt },
    { u"A2 420 x 594 mm", 420.0, 594.0, 66 },
    { u"A3 297 x 420 mm", 297.0, 420.0, 8 },
    { u"A4 210 x 297 mm", 210.0, 297.0, 9 },
    { u"A5 148 x 210 mm", 148.0, 210.0, 11 },
    { u"A6 105 x 148 mm", 105.0, 148.0, 70 },
    { u"A7 74 x 105 mm", 74.0, 105.0, std::nullopt },
    { u"A8 52 x 74 mm", 52.0, 74.0, std::nullopt },
    { u"A9 37 x 52 mm", 37.0, 52.0, std::nullopt },
    { u"A10 26 x 37 mm", 26.0, 37.0, std::nullopt },
    { u"B0 1000 x 1414 mm", 1000.0, 1414.0, std::nullopt },
    { u"B1 707 x 1000 mm", 707.0, 1000.0, std::nullopt },
    { u"B2 500 x 707 mm", 500.0, 707.0, std::nullopt },
    { u"B3 353 x 500 mm", 353.0, 500.0, std::nullopt },
    { u"B4 250 x 353 mm", 250.0, 353.0, 12 },
    { u"B5 176 x 250 mm", 176.0, 250.0, 13 },
    { u"B6 125 x 176 mm", 125.0, 176.0, 88 },
    { u"B7 88 x 125 mm", 88.0, 125.0, std::nullopt },
    { u"B8 62 x 88 mm", 62.0, 88.0, std::nullopt },
    { u"B9 44 x 62 mm", 44.0, 62.0, std::nullopt },
    { u"B10 31 x 44 mm", 31.0, 44.0, std::nullopt },
    { u"SRA0 900 x 1280 mm", 900.0, 1280.0, std::nullopt },
    { u"SRA1 640 x 900 mm", 640.0, 900.0, std::nullopt },
    { u"SRA2 450 x 640 mm", 450.0, 640.0, std::nullopt },
    { u"SRA3 320 x 450 mm", 320.0, 450.0, std::nullopt },
    { u"SRA4 225 x 320 mm", 225.0, 320.0, std::nullopt },
    { u"RA0 860 x 1220 mm", 860.0, 1220.0, std::nullopt },
    { u"RA1 610 x 860 mm", 610.0, 860.0, std::nullopt },
    { u"RA2 430 x 610 mm", 430.0, 610.0, std::nullopt },
    { u"RA3 305 x 430 mm", 305.0, 430.0, std::nullopt },
    { u"RA4 215 x 305 mm", 215.0, 305.0, std::nullopt },
    { u"2A 1189 x 1682 mm", 1189.0, 1682.0, std::nullopt },
    { u"2B 1414 x 2000 mm", 1414.0, 2000.0, std::nullopt },
    { u"4A 1682 x 2378 mm", 1682.0, 2378.0, std::nullopt },
    { u"4B 2000 x 2828 mm", 2000.0, 2828.0, std::nullopt },
    { u"9x11 228.6 x 279.4 mm", 228.6, 279.4, 44 },
    { u"10x11 254 x 279.4 mm", 254.0, 279.4, 45 },
    { u"10x14 254 x 355.6 mm", 254.0, 355.6, 16 },
    { u"11x17 279.4 x 431.8 mm", 279.4, 431.8, 17 },
    { u"12x11 304.8 x 279.4 mm", 304.8, 279.4, 90 },
    { u"15x11 381 x 279.4 mm", 381.0, 279.4, 46 },
    { u"A3 Extra 322.44 x 445.2 mm", 322.44, 445.2, 63 },
    { u"A3 Extra Transverse 322 x 445 mm", 322.0, 445.0, 68 },
    { u"A3 Transverse 297 x 420 mm", 297.0, 420.0, 67 },
    { u"A4 Small 210 x 297 mm", 210.0, 297.0, 10 },
    { u"A4 Extra 235.3 x 322.44 mm", 235.3, 322.44, 53 },
    { u"A4 Plus 210 x 330 mm", 210.0, 330.0, 60 },
    { u"A4 Transverse 210 x 297 mm", 210.0, 297.0, 55 },
    { u"A5 Extra 174 x 235 mm", 174.0, 235.0, 64 },
    { u"A5 Transverse 148 x 210 mm", 148.0, 210.0, 61 },
    { u"A Plus 227 x 356 mm", 227.0, 356.0, 57 },
    { u"B4 JIS 250 x 354 mm", 250.0, 354.0, std::nullopt },
    { u"B5 Extra 201 x 276 mm", 201.0, 276.0, 65 },
    { u"B5 Transverse 182 x 257 mm", 182.0, 257.0, 62 },
    { u"B6 JIS 128 x 182 mm", 128.0, 182.0, 88 },
    { u"B Plus 305 x 487 mm", 305.0, 487.0, 58 },
    { u"Envelope #9 76.2 x 203.2 mm", 76.2, 203.2, 19 },
    { u"Envelope #10 101.6 x 228.6 mm", 101.6, 228.6, 20 },
    { u"Envelope #11 101.6 x 254 mm", 101.6, 254.0, 21 },
    { u"Envelope #12 101.6 x 279.4 mm", 101.6, 279.4, 22 },
    { u"Envelope #14 127 x 279.4 mm", 127.0, 279.4, 23 },
    { u"Envelope B4 250 x 353 mm", 250.0, 353.0, 33 },
    { u"Envelope B5 176 x 250 mm", 176.0, 250.0, 34 },
    { u"Envelope B6 176 x 125 mm", 176.0, 125.0, 35 },
    { u"Envelope C0 917 x 1297 mm", 917.0, 1297.0, std::nullopt },
    { u"Envelope C1 648 x 917 mm", 648.0, 917.0, std::nullopt },
    { u"Envelope C2 458 x 648 mm", 458.0, 648.0, std::nullopt },
    { u"Envelope C3 324 x 458 mm", 324.0, 458.0, 29 },
    { u"Envelope C4 229 x 324 mm", 229.0, 324.0, 30 },
    { u"Envelope C5 162 x 229 mm", 162.0, 229.0, 28 },
    { u"Envelope C5E 163 x 229 mm", 163.0, 229.0, std::nullopt },
    { u"Envelope C6 114 x 162 mm", 114.0, 162.0, 31 },
    { u"Envelope C65 114 x 229 mm", 114.0, 229.0, 32 },
    { u"Envelope C7 81 x 114 mm", 81.0, 114.0, std::nullopt },
    { u"Envelope C8 57 x 81 mm", 57.0, 81.0, std::nullopt },
    { u"Envelope C9 40 x 57 mm", 40.0, 57.0, std::nullopt },
    { u"Envelope C10 28 x 40 mm", 28.0, 40.0, std::nullopt },
    { u"Envelope DL 110 x 220 mm", 110.0, 220.0, 27 },
    { u"Envelope Invite 220 x 220 mm", 220.0, 220.0, 47 },
    { u"Envelope Italy 110 x 230 mm", 110.0, 230.0, 36 },
    { u"Envelope Monarch 98.43 x 190.5 mm", 98.43, 190.5, 37 },
    { u"Envelope Personal 76.2 x 152.4 mm", 76.2, 152.4, 38 },
    { u"Letter 215.9 x 279.4 mm", 215.9, 279.4, 1 },
    { u"Legal 215.9 x 355.6 mm", 215.9, 355.6, 5 },
    { u"Ledger 431.8 x 279 mm", 431.8, 279.0, 4 },
    { u"Tabloid 279 x 431.8 mm", 279.0, 431.8, 3 },
    { u"Executive 190.5 x 254 mm", 190.5, 254.0, 7 },
    { u"Fanfold US 355.6 x 279.4 mm", 355.6, 279.4, 39 },
    { u"Comm10E 105 x 241 mm", 105.0, 241.0, std::nullopt },
    { u"DLE 110 x 220 mm", 110.0, 220.0, std::nullopt },
    { u"Folio 215.9 x 330.2 mm", 215.9, 330.2, 14 },
    { u"Note 304.8 x 279.4 mm", 304.8, 279.4, 18 },
    { u"Postcard 100 x 148 mm", 100.0, 148.0, std::nullopt },
    { u"Quarto 215 x 275 mm", 215.0, 275.0, 15 },
    { u"Statement 139.7 x 215.9 mm", 139.7, 215.9, 6 },
    { u"Legal Extra 241.3 x 381 mm", 241.3, 381.0, 51 },
    { u"Legal3 215.9 x 330.2 mm", 215.9, 330.2, std::nullopt },
    { u"Letter Small 304.8 x 279.4 mm", 304.8, 279.4, 2 },
    { u"Letter Extra 241.3 x 304.8 mm", 241.3, 304.8, 50 },
    { u"Letter Extra Transverse 241.3 x 304.8 mm", 241.3, 304.8, 56 },
    { u"Letter Plus 215.9 x 322.33 mm", 215.9, 322.33, 59 },
    { u"Letter Transverse 215.9 x 279.4 mm", 215.9, 279.4, 54 },
    { u"P16K 146 x 215 mm", 146.0, 215.0, 93 },
    { u"P32K 97 x 151 mm", 97.0, 151.0, 94 },
    { u"P32KBig 97 x 151 mm", 97.0, 151.0, 95 },
    { u"PEnv 1 102 x 165 mm", 102.0, 165.0, 96 },
    { u"PEnv 2 102 x 176 mm", 102.0, 176.0, 97 },
    { u"PEnv 3 125 x 176 mm", 125.0, 176.0, 98 },
    { u"PEnv 4 110 x 208 mm", 110.0, 208.0, 99 },
    { u"PEnv 5 110 x 220 mm", 110.0, 220.0, 100 },
    { u"PEnv 6 120 x 230 mm", 120.0, 230.0, 101 },
    { u"PEnv 7 160 x 230 mm", 160.0, 230.0, 102 },
    { u"PEnv 8 120 x 309 mm", 120.0, 309.0, 103 },
    { u"PEnv 9 229 x 324 mm", 229.0, 324.0, 104 },
    { u"PEnv 10 324 x 458 mm", 324.0, 458.0, 105 },
    { u"Tabloid Extra 296.93 x 457.2 mm", 296.93, 457.2, 52 },
    { u"German Legal Fanfold 203.2 x 330.2 mm", 203.2, 330.2, 41 },
    { u"German Std Fanfold 203.2 x 304.8 mm", 203.2, 304.8, 40 },
    { u"Jap DblPostcard 200 x 148 mm", 200.0, 148.0, 69 },
    { u"Jap Postcard 100 x 148 mm", 100.0, 148.0, 43 },
    { u"Eng Foolscap 419 x 336 mm", 419.0, 336.0, std::nullopt },
    { u"Eng DoubleFoolscap 685.8 x 431.8 mm", 685.8, 431.8, std::nullopt },
    { u"Eng QuadFoolscap 863.6 x 685.8 mm", 863.6, 685.8, std::nullopt },
    { u"Eng Crown 508 x 381 mm", 508.0, 381.0, std::nullopt },
    { u"Eng DoubleCrown 762 x 508 mm", 762.0, 508.0, std::nullopt },
    { u"Eng QuadCrown 1016 x 762 mm", 1016.0, 762.0, std::nullopt },
    { u"Eng DoubleQuad 1524 x 1016 mm", 1524.0, 1016.0, std::nullopt },
    { u"Eng Post 488.95 x 393.7 mm", 488.95, 393.7, std::nullopt },
    { u"Eng DoublePost 800.1 x 495.3 mm", 800.1, 495.3, std::nullopt },
    { u"Eng DoubleLarge 838.2 x 533.4 mm", 838.2, 533.4, std::nullopt },
    { u"Eng Demy 571.5 x 444.5 mm", 571.5, 444.5, std::nullopt },
    { u"Eng DoubleDemy 889 x 571.5 mm", 889.0, 571.5, std::nullopt },
    { u"Eng QuadDemy 1143 x 889 mm", 1143.0, 889.0, std::nullopt },
    { u"Eng MusicDemy 508 x 393.7 mm", 508.0, 393.7, std::nullopt },
    { u"Eng Medium 584.2 x 457.2 mm", 584.2, 457.2, std::nullopt },
    { u"Eng Royal 634 x 507 mm", 634.0, 507.0, std::nullopt },
    { u"Eng SuperRoyal 698.5 x 520.7 mm", 698.5, 520.7, std::nullopt },
    { u"Eng Elephant 711.2 x 584.2 mm", 711.2, 584.2, std::nullopt },
    { u"Eng Imperial 761 x 559 mm", 761.0, 559.0, std::nullopt },
    { u"User Defined", 0.0, 0.0, 256 },
    { u"Printer Default", -1.0, -1.0, -1 },
};

/// Sizes closer than this (sum of both differences, mm) are the same paper.
constexpr double kPaperTolerance = 0.01;

const std::array<TRLPaperSizeInfo, kPaperSizeCount>& PaperTable()
{
    static const std::array<TRLPaperSizeInfo, kPaperSizeCount> table = [] {
        std::array<TRLPaperSizeInfo, kPaperSizeCount> filled;
        for (int i = 0; i < kPaperSizeCount; ++i) {
            const TPaperRow& row = kPaperRows[i];
            filled[std::size_t(i)] = { QString::fromUtf16(row.Description), row.Width, row.Height, row.Code };
        }
        return filled;
    }();
    return table;
}

} // namespace

const TRLPaperSizeInfo& PaperSizeInfo(TRLPaperSize size)
{
    return PaperTable().at(std::size_t(size));
}

TRLPaperSize FindPaperSize(double width, double height)
{
    if (width < 0 || height < 0)
        return TRLPaperSize::fpDefault;
    int best = -1;
    double bestDistance = 0;
    for (int i = 0; i < kPaperSizeCount; ++i) {
        const TPaperRow& row = kPaperRows[i];
        if (TRLPaperSize(i) == TRLPaperSize::fpCustom || !row.Code)
            continue;
        const double distance = std::abs(width - row.Width) + std::abs(height - row.Height);
        if (distance < kPaperTolerance && (best < 0 || distance < bestDistance)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best < 0 ? TRLPaperSize::fpCustom : TRLPaperSize(best);
}

TRLPaperInfo PaperInfo(bool landscape, double width, double height)
{
    const TRLPaperSize size = FindPaperSize(width, height);
    const TRLPageOrientation orientation
        = landscape ? TRLPageOrientation::poLandscape : TRLPageOrientation::poPortrait;
    if (size == TRLPaperSize::fpCustom)
        return { size, kCustomPaperCode, orientation, width, height };
    const TRLPaperSizeInfo& info = PaperSizeInfo(size);
    return { size, info.Code.value_or(kCustomPaperCode), orientation, info.Width, info.Height };
}
