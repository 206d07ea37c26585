// Reads a binary worksheet file (.xls) with freexl and writes its cells to
// standard output (common/TXlsHelperProtocol.h). The client runs it as a
// child process with time and memory limits, because the library cannot be
// trusted with a damaged file: whatever the file does ends this process only.
//   selvar_xlsread FILE MAX_CELLS
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <freexl.h>
#include <string>

#include "common/TXlsHelperProtocol.h"

namespace {

std::string g_out;

void Flush()
{
    if (!g_out.empty() && std::fwrite(g_out.data(), 1, g_out.size(), stdout) != g_out.size())
        std::exit(3);
    g_out.clear();
}

template <typename T>
void Put(T value)
{
    g_out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutBytes(const char* text)
{
    const auto n = static_cast<std::uint32_t>(text ? std::strlen(text) : 0);
    Put(n);
    g_out.append(text ? text : "", n);
}

void Position(char tag, unsigned row, unsigned short col)
{
    g_out += tag;
    Put(std::uint32_t(row));
    Put(std::uint16_t(col));
}

int Finish(char tag, const void* handle)
{
    g_out += tag;
    Flush();
    if (handle)
        freexl_close(handle);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: selvar_xlsread FILE MAX_CELLS\n");
        return 2;
    }
    long long budget = std::atoll(argv[2]);
    const void* handle = nullptr;
    if (freexl_open(argv[1], &handle) != FREEXL_OK)
        return Finish(XlsHelper::tDamaged, handle);
    unsigned password = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED)
        return Finish(XlsHelper::tPassword, handle);
    unsigned count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        return Finish(XlsHelper::tDamaged, handle);
    for (unsigned index = 0; index < count && index < 65536; ++index) {
        const char* name = nullptr;
        unsigned rows = 0;
        unsigned short cols = 0;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(index), &name) != FREEXL_OK
            || freexl_select_active_worksheet(handle, static_cast<unsigned short>(index)) != FREEXL_OK
            || freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK)
            return Finish(XlsHelper::tDamaged, handle);
        g_out += XlsHelper::tSheet;
        PutBytes(name);
        for (unsigned row = 0; row < rows; ++row) {
            for (unsigned short col = 0; col < cols; ++col) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(handle, row, col, &cell) != FREEXL_OK || cell.type == FREEXL_CELL_NULL)
                    continue;
                if (--budget < 0)
                    return Finish(XlsHelper::tTooMany, handle);
                switch (cell.type) {
                case FREEXL_CELL_INT:
                    Position(XlsHelper::tNumber, row, col);
                    Put(double(cell.value.int_value));
                    break;
                case FREEXL_CELL_DOUBLE:
                    Position(XlsHelper::tNumber, row, col);
                    Put(cell.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                    Position(XlsHelper::tText, row, col);
                    PutBytes(cell.value.text_value);
                    break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    Position(XlsHelper::tDate, row, col);
                    Put(std::uint8_t(cell.type == FREEXL_CELL_DATE       ? XlsHelper::dkDate
                                     : cell.type == FREEXL_CELL_DATETIME ? XlsHelper::dkDateTime
                                                                         : XlsHelper::dkTime));
                    PutBytes(cell.value.text_value);
                    break;
                default:
                    break;
                }
                if (g_out.size() >= (1u << 16))
                    Flush();
            }
        }
    }
    return Finish(XlsHelper::tEnd, handle);
}
