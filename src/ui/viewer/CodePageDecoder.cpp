#include "ui/viewer/CodePageDecoder.h"

#include <iconv.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

std::string iconvName(int codePage)
{
    switch (codePage) {
        case 10000:
            return "MACINTOSH";
        case 65001:
            return "UTF-8";
        case 1361:
            return "JOHAB";
        case 20127:
            return "ASCII";
        case 28591:
            return "ISO-8859-1";
        default:
            return "CP" + std::to_string(codePage);
    }
}

}  // namespace

CodePageDecoder::~CodePageDecoder()
{
    for (const auto& [codePage, converter] : converters)
        if (converter != kNoConverter)
            iconv_close(static_cast<iconv_t>(converter));
}

int CodePageDecoder::codePageOfCharset(int charset)
{
    switch (charset) {
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

void* CodePageDecoder::converterFor(int codePage)
{
    const auto known = converters.find(codePage);
    if (known != converters.end())
        return known->second;
    const iconv_t converter = iconv_open("UTF-16LE", iconvName(codePage).c_str());
    converters[codePage] = converter;
    return converter;
}

QString CodePageDecoder::decode(int codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    auto converter = static_cast<iconv_t>(converterFor(codePage));
    if (converter == kNoConverter)
        converter = static_cast<iconv_t>(converterFor(1252));  // a code page iconv does not know
    if (converter == kNoConverter)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));

    iconv(converter, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state for every run
    QString text;
    std::vector<char16_t> output(bytes.size() * 2 + 4);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* out = reinterpret_cast<char*>(output.data());
        std::size_t outLeft = output.size() * sizeof(char16_t);
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        const auto produced = static_cast<qsizetype>((out - reinterpret_cast<char*>(output.data())) / 2);
        text.append(reinterpret_cast<const QChar*>(output.data()), produced);
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // An unmappable byte, or a lead byte with nothing after it: mark it and go on.
        text.append(QChar::ReplacementCharacter);
        ++in;
        --inLeft;
    }
    return text;
}
