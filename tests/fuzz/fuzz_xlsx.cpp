#include "common/EExcelError.h"
#include "common/TExcelWorkbook.h"
#include "common/TXlsxReader.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TExcelWorkbook book(QStringLiteral("fuzz"));
    try {
        TXlsxReader::Read(FuzzFile(data, size, "input.xlsx"), book);
        for (int i = 0; i < book.SheetCount(); ++i)
            book.Sheet(i).ForEachCell([](int, int, TExcelWorksheet::TCellKind, const QVariant&) {});
    } catch (const EExcelError&) {
    }
    return 0;
}
