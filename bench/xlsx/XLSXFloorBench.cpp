// What libxlsxwriter alone costs in its constant-memory mode, the mode the XLSX export uses: a
// workbook of SHEETS sheets of ROWS rows, each row with CELLS cells (texts and numbers) and four
// two-column merges, the shape of a page of the sample order.
//
//   bench_xlsx_floor [SHEETS [ROWS [CELLS [DIR]]]]    defaults: 209 sheets, 62 rows, 7 cells, $TMPDIR
//
// Prints the processor time of writing the sheets and of closing the workbook (assembling,
// compressing), and the heap in use after the sheets, per sheet: the floor under the export's own
// work, which the library keeps until the workbook closes. DIR takes the library's temporary
// files; a directory on tmpfs against one on disk shows what creating them costs.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <malloc.h>
#include <string>
#include <xlsxwriter.h>

namespace {

constexpr int kColumns = 20;
constexpr int kMergesPerRow = 4;
constexpr int kFirstMergeColumn = 10;
constexpr double kRowPoints = 15.0;

double CpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

long long HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

int Argument(int argc, char** argv, int index, int fallback)
{
    return argc > index ? std::atoi(argv[index]) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    const int sheets = Argument(argc, argv, 1, 209);
    const int rows = Argument(argc, argv, 2, 62);
    const int cells = Argument(argc, argv, 3, 7);
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = argc > 4 ? argv[4] : (tmp && *tmp ? tmp : "/tmp");
    if (sheets < 1 || rows < 1 || cells < 1 || cells > kFirstMergeColumn) {
        std::fprintf(stderr, "bench_xlsx_floor: SHEETS, ROWS >= 1 and 1 <= CELLS <= %d\n", kFirstMergeColumn);
        return 2;
    }
    const std::string output = dir + "/bench_xlsx_floor.xlsx";
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = dir.data();
    const long long heapBefore = HeapInUse();
    const double start = CpuSeconds();
    lxw_workbook* workbook = workbook_new_opt(output.c_str(), &options);
    if (!workbook) {
        std::fprintf(stderr, "bench_xlsx_floor: cannot start %s\n", output.c_str());
        return 1;
    }
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    char text[64];
    for (int s = 0; s < sheets; ++s) {
        std::snprintf(text, sizeof text, "Page%d", s + 1);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, text);
        if (!sheet) {
            std::fprintf(stderr, "bench_xlsx_floor: no sheet %d (open files?)\n", s + 1);
            return 1;
        }
        for (int c = 0; c < kColumns; ++c)
            worksheet_set_column_pixels(sheet, lxw_col_t(c), lxw_col_t(c), lxw_col_t(20 + c), nullptr);
        for (int r = 0; r < rows; ++r) {
            worksheet_set_row(sheet, lxw_row_t(r), kRowPoints, nullptr);
            for (int c = 0; c < cells; ++c) {
                if (c % 2 != 0) {
                    worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), r * 1.5 + c, bold);
                } else {
                    std::snprintf(text, sizeof text, "item %d %d %d", s, r, c);
                    worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), text, nullptr);
                }
            }
            for (int m = 0; m < kMergesPerRow; ++m) {
                const auto first = lxw_col_t(kFirstMergeColumn + 2 * m);
                worksheet_merge_range(sheet, lxw_row_t(r), first, lxw_row_t(r), first + 1, "", nullptr);
            }
        }
    }
    const double written = CpuSeconds();
    const long long heapSheets = HeapInUse() - heapBefore;
    const lxw_error error = workbook_close(workbook);
    const double closed = CpuSeconds();
    std::remove(output.c_str());
    if (error != LXW_NO_ERROR) {
        std::fprintf(stderr, "bench_xlsx_floor: %s\n", lxw_strerror(error));
        return 1;
    }
    std::printf("libxlsxwriter %s, %d sheets x %d rows x %d cells, temporary files in %s\n", LXW_VERSION,
        sheets, rows, cells, dir.c_str());
    std::printf("write %.3f s, close %.3f s CPU; heap after the sheets %.1f KB per sheet\n", written - start,
        closed - written, double(heapSheets) / 1024.0 / sheets);
    return 0;
}
