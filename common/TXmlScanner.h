#pragma once

#include <QString>
#include <string>
#include <string_view>

// A small streaming reader for the XML parts of a .xlsx file. It takes the
// decompressed bytes in pieces of any size and reports elements and text to
// its subclass without building a tree or copying attribute lists, which
// keeps reading a large sheet fast and its memory flat. Element names are
// reported without their namespace prefix. It rejects document type
// declarations and any single tag or text longer than MaxTokenBytes.
class TXmlScanner
{
public:
    static constexpr size_t MaxTokenBytes = size_t(8) << 20;

    virtual ~TXmlScanner() = default;

    // Both throw EExcelError (through Fail) on malformed input.
    void Feed(const char* data, size_t size);
    void Finish();

    // The value of an attribute in a start tag's attribute text, raw.
    static bool Attribute(std::string_view attributes, std::string_view name, std::string_view& value);
    // Appends raw XML text with its character and entity references resolved.
    static void AppendDecoded(std::string& out, std::string_view raw);
    // UTF-8 bytes to text, also resolving the _xHHHH_ escapes of cell texts.
    static QString CellString(std::string_view utf8);

protected:
    virtual void StartElement(std::string_view name, std::string_view attributes) = 0;
    virtual void EndElement(std::string_view name) = 0;
    // Character data, raw (references unresolved) unless it came from CDATA.
    virtual void Text(std::string_view text, bool cdata) = 0;
    [[noreturn]] virtual void Fail(const QString& detail) const;

private:
    size_t Scan(bool atEnd);
    size_t Markup(size_t pos, bool atEnd);
    size_t Tag(size_t pos);

    std::string m_buffer;
};
