#pragma once
// Decodes 8-bit text in a Windows code page (1252, 1251, 932...) with glibc's iconv, since
// Qt has no legacy code pages of its own. Converters are opened once per code page and kept.
#include <QString>

#include <map>
#include <string_view>

class CodePageDecoder {
public:
    CodePageDecoder() = default;
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // Bytes that the code page cannot map (or a code page iconv does not know, whose text is
    // then read as Windows-1252) come out as U+FFFD, never as an error.
    QString decode(int codePage, std::string_view bytes);

    // The code page of a font character set number (204 -> 1251, 128 -> 932...); 0 when the
    // character set names none (ANSI and default: the document's own code page applies).
    static int codePageOfCharset(int charset);

private:
    void* converterFor(int codePage);
    std::map<int, void*> converters;
};
