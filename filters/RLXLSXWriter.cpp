#include "filters/RLXLSXWriter.h"

#include "filters/RLXLSErrors.h"
#include "filters/RLXLSScratchFile.h"
#include "filters/RLXLSWorksheet.h"
#include "filters/RLXLSXErrors.h"
#include "filters/RLXLSXPackageCheck.h"
#include "filters/RLXLSXSheetSpill.h"
#include "platform/Color.h"
#include "support/Clock.h"
#include "support/OutputFiles.h"
#include "support/SaveFiles.h"
#include "support/TempFiles.h"

#include <QFile>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <tuple>
#include <unistd.h>
#include <vector>
#include <xlsxwriter.h>

namespace {

constexpr qint64 kCopyChunk = 64 * 1024;
/// A4, the paper code the sheets ask for, as in the XLS output.
constexpr quint8 kPaperA4 = 9;
constexpr double kCentimetresPerInch = 2.54;
constexpr int kMaxHeaderLength = 255;
/// The XLS output stores a row's height in dots as twentieths of a point, so a row of n dots is
/// n points tall there; the same number keeps both outputs' rows alike. 409.5 points at most.
constexpr double kMaxRowPoints = 409.5;
/// The XLS output's height of a row without text.
constexpr double kEmptyRowPoints = 12.75;
/// Widths are 1/256 of the width of a digit, which the default font (Calibri 11) draws 7 pixels
/// wide; libxlsxwriter rounds every width to whole pixels of that font.
constexpr double kPixelsPerCharacter = 7.0;
constexpr double kWidthUnitsPerCharacter = 256.0;
/// 255 characters, the widest column.
constexpr qint64 kMaxColumnWidth = 255 * 256;
constexpr int kMaxAngle = 90;
lxw_color_t ToXLSXColor(TColor color)
{
    const auto rgb = quint32(ColorToRGB(color));
    const lxw_color_t value = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    // libxlsxwriter reads 0 as "no colour".
    return value == 0 ? lxw_color_t(LXW_COLOR_BLACK) : value;
}

quint8 HorizontalAlignment(quint8 code)
{
    switch (code) {
    case kXLSAlignLeft:
        return LXW_ALIGN_LEFT;
    case kXLSAlignCenter:
        return LXW_ALIGN_CENTER;
    case kXLSAlignRight:
        return LXW_ALIGN_RIGHT;
    case kXLSAlignJustify:
        return LXW_ALIGN_JUSTIFY;
    default:
        return LXW_ALIGN_NONE;
    }
}

quint8 VerticalAlignment(quint8 code)
{
    switch (code) {
    case kXLSAlignTop:
        return LXW_ALIGN_VERTICAL_TOP;
    case kXLSAlignVCenter:
        return LXW_ALIGN_VERTICAL_CENTER;
    case kXLSAlignVJustify:
        return LXW_ALIGN_VERTICAL_JUSTIFY;
    default:
        return LXW_ALIGN_VERTICAL_BOTTOM;
    }
}

void ApplySetup(lxw_worksheet* sheet, const TRLXLSPageSetup& setup)
{
    worksheet_set_paper(sheet, kPaperA4);
    worksheet_set_portrait(sheet);
    worksheet_set_margins(sheet, setup.LeftMargin / kCentimetresPerInch,
        setup.RightMargin / kCentimetresPerInch, setup.TopMargin / kCentimetresPerInch,
        setup.BottomMargin / kCentimetresPerInch);
    if (setup.FitToPagesWide || setup.FitToPagesTall)
        worksheet_fit_to_pages(sheet, setup.FitToPagesWide ? 1 : 0, setup.FitToPagesTall ? 1 : 0);
    else if (setup.Zoom != 100)
        worksheet_set_print_scale(sheet, quint16(std::clamp(setup.Zoom, 10, 400)));
    if (setup.FirstPageNumber != 1)
        worksheet_set_start_page(sheet, quint16(std::clamp(setup.FirstPageNumber, 0, 0xFFFF)));
    if (setup.CenterHorizontally)
        worksheet_center_horizontally(sheet);
    if (setup.CenterVertically)
        worksheet_center_vertically(sheet);
    worksheet_gridlines(sheet, setup.PrintGridLines ? LXW_SHOW_ALL_GRIDLINES : LXW_SHOW_SCREEN_GRIDLINES);
    const std::pair<QString, QString> parts[] = { { setup.HeaderText(), QStringLiteral("header") },
        { setup.FooterText(), QStringLiteral("footer") } };
    for (const auto& [text, which] : parts) {
        if (text.isEmpty())
            continue;
        if (text.size() > kMaxHeaderLength)
            RaiseXLSHeaderTooLong(which, text.size());
        const QByteArray utf8 = text.toUtf8();
        if (which == u"header")
            worksheet_set_header(sheet, utf8.constData());
        else
            worksheet_set_footer(sheet, utf8.constData());
    }
}

/// libxlsxwriter prints numbers (cell values, widths, heights, margins) with the C library in
/// the thread's locale, so under a locale with a decimal comma it would write "222,67" where
/// the file format wants "222.67"; every call into it runs under the C locale, in this thread only.
class TCNumbers {
public:
    TCNumbers()
        : m_previous(uselocale(CLocale()))
    {
    }
    ~TCNumbers() { uselocale(m_previous); }
    TCNumbers(const TCNumbers&) = delete;
    TCNumbers& operator=(const TCNumbers&) = delete;

private:
    static locale_t CLocale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return c;
    }
    locale_t m_previous;
};

/// libxlsxwriter keeps, for every sheet until the workbook closes, a row buffer of one pointer per
/// column the format allows (16,384 x 8 bytes) and a temporary file with its stdio buffer, though
/// only the sheet being written uses them: a report of many pages would hold all of them, and
/// fail past the limit of open files. The sheet's rows go instead to a stream of the spill, and
/// once its last row is written, nothing reads the row buffer again (the close skips a row
/// already written and a sheet without one) and the stream is only read back at the close, so
/// it gives up its buffer until then. These are the library's internals: only for the version
/// it was tried against (a test measures the memory a finished sheet keeps, and one writes more
/// sheets than files may be open, so another version shows there).
#if LXW_VERSION_ID == 114
constexpr bool kOwnSheetStreams = true;
#else
constexpr bool kOwnSheetStreams = false;
#endif

/// False when the sheet keeps the library's own temporary file.
bool UseOwnStream(lxw_worksheet* sheet, TRLXLSXSheetSpill& spill)
{
    if (!kOwnSheetStreams || !sheet->optimize_tmpfile || sheet->file != sheet->optimize_tmpfile)
        return false;
    FILE* own = spill.Open();
    if (!own)
        return false;
    fclose(sheet->optimize_tmpfile);
    sheet->optimize_tmpfile = own;
    sheet->file = own;
    return true;
}

void ReleaseSheetBuffers(lxw_worksheet* sheet, TRLXLSXSheetSpill& spill)
{
    if (!kOwnSheetStreams)
        return;
    lxw_worksheet_write_single_row(sheet);
    free(sheet->array);
    sheet->array = nullptr;
    if (FILE* rows = sheet->optimize_tmpfile; rows && sheet->file == rows) {
        if (FILE* fresh = spill.Rebuffer(rows)) {
            sheet->optimize_tmpfile = fresh;
            sheet->file = fresh;
        }
    }
}

bool InMemory(const QByteArray& folder)
{
    constexpr auto kTmpfsMagic = decltype(statfs::f_type)(0x01021994);
    struct statfs info { };
    return statfs(folder.constData(), &info) == 0 && info.f_type == kTmpfsMagic
        && access(folder.constData(), W_OK | X_OK) == 0;
}

/// The folder of libxlsxwriter's own temporary files: it makes one as each sheet starts and one
/// for each part as the workbook closes, and unlinks each at once. On a disk's file system the
/// creations cost more than the writing (ext4 searches its inode table for each); a folder in
/// memory takes them at a fraction, and holds one sheet's text at a time. The sheets' rows stay
/// in the spill, in the temporary directory. A whole report on one sheet could outgrow the small
/// /dev/shm of a container, and a TMPDIR the user chose is where the user wants them.
QString LibraryTempDir(bool smallSheets)
{
    const QString own = TempDir();
    if (!smallSheets || qEnvironmentVariableIsSet("TMPDIR") || InMemory(QFile::encodeName(own)))
        return own;
    const QString shared = QStringLiteral("/dev/shm");
    return InMemory(QFile::encodeName(shared)) ? shared : own;
}

/// True when the soft limit of open files was below the hard one and now equals it.
bool RaiseOpenFileLimit()
{
    rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
        return false;
    limit.rlim_cur = limit.rlim_max;
    return setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

} // namespace

bool TRLXLSXWorkbookWriter::TFormatKeyLess::operator()(const TFormatKey& a, const TFormatKey& b) const
{
    const auto tie = [](const TFormatKey& k) {
        return std::tie(k.Font.Name, k.Font.Height, k.Font.Charset, k.Font.Color, k.Font.Pitch,
            k.NumberFormat, k.Horizontal, k.Vertical, k.Wrap, k.Rotation);
    };
    if (a.Font.Style.toInt() != b.Font.Style.toInt())
        return a.Font.Style.toInt() < b.Font.Style.toInt();
    return tie(a) < tie(b);
}

TRLXLSXWorkbookWriter::TRLXLSXWorkbookWriter(
    const QString& fileName, const TRLXLSPageSetup& setup, bool smallSheets)
    : m_fileName(fileName)
    , m_setup(setup)
    , m_file(std::make_unique<TRLXLSScratchFile>())
    , m_spill(std::make_unique<TRLXLSXSheetSpill>())
    , m_libraryDir(LibraryTempDir(smallSheets))
{
    const TCNumbers cNumbers;
    const QByteArray name = QFile::encodeName(m_file->FileName());
    QByteArray tempDir = QFile::encodeName(m_libraryDir);
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tempDir.data();
    m_workbook = workbook_new_opt(name.constData(), &options);
    if (!m_workbook)
        RaiseCannotWrite(m_fileName, Reason(LXW_ERROR_MEMORY_MALLOC_FAILED));
}

TRLXLSXWorkbookWriter::~TRLXLSXWorkbookWriter()
{
    const TCNumbers cNumbers;
    if (m_workbook)
        lxw_workbook_free(m_workbook);
}

void TRLXLSXWorkbookWriter::AddSheet(const QString& title)
{
    const TCNumbers cNumbers;
    if (m_sheet)
        ReleaseSheetBuffers(m_sheet, *m_spill);
    const QByteArray name = title.toUtf8();
    if (const lxw_error error = workbook_validate_sheet_name(m_workbook, name.constData());
        error != LXW_NO_ERROR)
        RaiseCannotWrite(m_fileName, XLSXSheetReason(title, Reason(error)));
    m_sheet = workbook_add_worksheet(m_workbook, name.constData());
    // Under a library version whose sheets keep their own temporary file open until the workbook
    // is written, a report of more pages than the soft limit of open files goes on up to the
    // hard limit.
    if (!m_sheet && RaiseOpenFileLimit())
        m_sheet = workbook_add_worksheet(m_workbook, name.constData());
    if (!m_sheet)
        RaiseCannotWrite(m_fileName, XLSXSheetReason(title, XLSXNoSheetFileReason(m_libraryDir)));
    UseOwnStream(m_sheet, *m_spill);
    m_sheetTitle = title;
    ++m_sheetCount;
    ApplySetup(m_sheet, m_setup);
}

void TRLXLSXWorkbookWriter::SetColumns(const std::map<int, TRLXLSCol>& columns)
{
    const TCNumbers cNumbers;
    for (const auto& [index, column] : columns) {
        const double characters
            = double(std::clamp<qint64>(column.Width, 0, kMaxColumnWidth)) / kWidthUnitsPerCharacter;
        const auto pixels = quint32(std::lround(characters * kPixelsPerCharacter));
        Check(worksheet_set_column_pixels(m_sheet, lxw_col_t(index), lxw_col_t(index), pixels, nullptr), 0,
            index);
    }
}

void TRLXLSXWorkbookWriter::WriteRows(const TRLXLSWorksheet& grid, int rowOffset)
{
    if (grid.Empty())
        return;
    const TCNumbers cNumbers;
    const std::vector<TRLXLSRange*> ranges = grid.Ranges();
    std::vector<const TRLXLSRange*> byFirstRow(ranges.begin(), ranges.end());
    std::stable_sort(byFirstRow.begin(), byFirstRow.end(), [](const TRLXLSRange* a, const TRLXLSRange* b) {
        return a->CellArea().FirstRow < b->CellArea().FirstRow;
    });
    std::size_t next = 0;
    std::vector<const TRLXLSRange*> active;
    for (int row = grid.UsedArea().FirstRow; row <= grid.UsedArea().LastRow; ++row) {
        const auto sheetRow = lxw_row_t(rowOffset + row);
        const auto found = grid.Rows().find(row);
        const double points = found != grid.Rows().end()
            ? std::clamp(double(found->second.Height), 0.0, kMaxRowPoints)
            : kEmptyRowPoints;
        Check(worksheet_set_row(m_sheet, sheetRow, points, nullptr), int(sheetRow), 0);

        std::erase_if(active, [row](const TRLXLSRange* range) { return range->CellArea().LastRow < row; });
        while (next < byFirstRow.size() && byFirstRow[next]->CellArea().FirstRow <= row)
            active.push_back(byFirstRow[next++]);
        for (const TRLXLSRange* range : active) {
            const TRLXLSCellArea& area = range->CellArea();
            // In constant-memory mode a merge can only be recorded on its last row: the library
            // then pads the rows already gone without complaint. Without a format it pads with
            // nothing, and the merge shows its first cell's format, so the covered cells stay
            // out of the file.
            if (area.Merged() && area.LastRow == row) {
                Check(worksheet_merge_range(m_sheet, lxw_row_t(rowOffset + area.FirstRow),
                          lxw_col_t(area.FirstColumn), sheetRow, lxw_col_t(area.LastColumn), "", nullptr),
                    int(sheetRow), area.FirstColumn);
            }
            if (row != area.FirstRow)
                continue;
            const auto column = lxw_col_t(area.FirstColumn);
            lxw_format* format = FormatOf({ range->Font, range->Format, range->HorizontalAlignment,
                range->VerticalAlignment, range->WrapText, range->Rotation });
            if (range->CellKind() == TRLXLSCellKind::Number) {
                Check(worksheet_write_number(m_sheet, sheetRow, column, range->Number(), format),
                    int(sheetRow), area.FirstColumn);
            } else {
                const QByteArray text = range->Value().toUtf8();
                Check(worksheet_write_string(m_sheet, sheetRow, column, text.constData(), format),
                    int(sheetRow), area.FirstColumn);
            }
        }
    }
}

void TRLXLSXWorkbookWriter::SetProperties(const QString& title, const QString& author)
{
    const TCNumbers cNumbers;
    // libxlsxwriter copies the texts.
    QByteArray titleText = title.toUtf8();
    QByteArray authorText = author.toUtf8();
    lxw_doc_properties properties {};
    properties.title = titleText.isEmpty() ? nullptr : titleText.data();
    properties.author = authorText.data();
    properties.created = time_t(Now().toSecsSinceEpoch());
    if (const lxw_error error = workbook_set_properties(m_workbook, &properties); error != LXW_NO_ERROR)
        RaiseCannotWrite(m_fileName, Reason(error));
}

void TRLXLSXWorkbookWriter::Save()
{
    const lxw_error error = [this] {
        const TCNumbers cNumbers;
        return workbook_close(std::exchange(m_workbook, nullptr));
    }();
    if (error != LXW_NO_ERROR)
        RaiseCannotWrite(m_fileName, Reason(error));
    if (m_spill->Failed())
        RaiseCannotWrite(m_fileName, XLSXErrorReason(LXW_ERROR_CREATING_TMPFILE, TempDir()));
    QFile& built = m_file->File();
    if (!XLSXPackageWhole(built))
        RaiseCannotWrite(m_fileName, XLSXErrorReason(LXW_ERROR_READING_TMPFILE, TempDir()));
    if (!built.seek(0))
        RaiseXLSCannotRead(m_file->FileName(), built);
    TOutputFile out(m_fileName);
    if (QString reason; !out.Open(reason))
        RaiseXLSCannotCreate(m_fileName, reason);
    QByteArray chunk(kCopyChunk, '\0');
    for (;;) {
        const qint64 got = built.read(chunk.data(), kCopyChunk);
        if (got < 0)
            RaiseXLSCannotRead(m_file->FileName(), built);
        if (got == 0)
            break;
        // A failed write is discarded by the output's destructor.
        if (!WriteWhole(out.Device(), QByteArrayView(chunk.constData(), got)))
            RaiseXLSCannotWrite(m_fileName, out.Device());
    }
    if (QString reason; !out.Commit(reason))
        RaiseCannotWrite(m_fileName, reason);
}

lxw_format* TRLXLSXWorkbookWriter::FormatOf(const TFormatKey& key)
{
    if (const auto found = m_formats.find(key); found != m_formats.end())
        return found->second;
    lxw_format* format = workbook_add_format(m_workbook);
    if (!format)
        RaiseCannotWrite(m_fileName, Reason(LXW_ERROR_MEMORY_MALLOC_FAILED));
    const TFont& font = key.Font;
    format_set_font_name(format, font.Name.toUtf8().constData());
    format_set_font_size(format, font.Size());
    format_set_font_color(format, ToXLSXColor(font.Color));
    if (font.Style.testFlag(fsBold))
        format_set_bold(format);
    if (font.Style.testFlag(fsItalic))
        format_set_italic(format);
    if (font.Style.testFlag(fsUnderline))
        format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (font.Style.testFlag(fsStrikeOut))
        format_set_font_strikeout(format);
    if (!key.NumberFormat.isEmpty())
        format_set_num_format(format, key.NumberFormat.toUtf8().constData());
    if (const quint8 horizontal = HorizontalAlignment(key.Horizontal); horizontal != LXW_ALIGN_NONE)
        format_set_align(format, horizontal);
    format_set_align(format, VerticalAlignment(key.Vertical));
    if (key.Wrap)
        format_set_text_wrap(format);
    // Cell formats count 91 to 180 as 1 to 90 degrees clockwise.
    if (key.Rotation != 0)
        format_set_rotation(
            format, key.Rotation <= kMaxAngle ? qint16(key.Rotation) : qint16(kMaxAngle - key.Rotation));
    m_formats.emplace(key, format);
    return format;
}

QString TRLXLSXWorkbookWriter::Reason(int error) const
{
    const bool libraryFile = error == LXW_ERROR_CREATING_TMPFILE || error == LXW_ERROR_READING_TMPFILE;
    return XLSXErrorReason(error, libraryFile ? m_libraryDir : TempDir());
}

void TRLXLSXWorkbookWriter::Check(int error, int row, int column) const
{
    if (error != LXW_NO_ERROR)
        RaiseCannotWrite(m_fileName, XLSXCellReason(m_sheetTitle, row + 1, column + 1, Reason(error)));
}
