#include "common/EExcelError.h"
#include "common/TCsvReader.h"
#include "common/TExcelWorkbook.h"
#include "common/TextEncoding.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSetUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    bool isText = false;
    DecodeTextFile(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &isText);
    TExcelWorkbook book(QStringLiteral("fuzz"));
    try {
        TCsvReader::Read(FuzzFile(data, size, "input.csv"), book);
        book.Sheet(0).ForEachCell([](int, int, TExcelWorksheet::TCellKind, const QVariant&) {});
    } catch (const EExcelError&) {
    }
    return 0;
}
