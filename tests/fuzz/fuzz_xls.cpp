// Bare record streams are read in this process; compound files go to the
// reader process, whose output this process must survive whatever it is.
#include "common/EExcelError.h"
#include "common/TExcelWorkbook.h"
#include "common/TXlsReader.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    TXlsReader::SetHelperPath(QStringLiteral(SELVAR_XLSREAD_PATH));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TExcelWorkbook book(QStringLiteral("fuzz"));
    try {
        TXlsReader::Read(FuzzFile(data, size, "input.xls"), book);
        for (int i = 0; i < book.SheetCount(); ++i)
            book.Sheet(i).ForEachCell([](int, int, TExcelWorksheet::TCellKind, const QVariant&) {});
    } catch (const EExcelError&) {
    }
    return 0;
}
