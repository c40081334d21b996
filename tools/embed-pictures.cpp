// Turns the program's art into a C++ source at build time, so that the running program gets
// its pictures without reading or decoding a file: each picture becomes an array of 32-bit
// pixels that QImage takes as they are (RGB32 for an opaque picture, premultiplied ARGB32 for
// one with transparency), and a file can be kept byte for byte besides.
//
//   embed-pictures OUTPUT.cpp HEADER ENTRY...
//
// HEADER is the include that declares the names (in the namespace BuiltInPictures). Each
// ENTRY is one of
//   picture NAME FILE            a PixelPicture
//   table NAME COUNT FILE...     a span of COUNT PixelPictures; "-" leaves an empty one
//   bytes NAME FILE              a span of the file's bytes, unchanged
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

namespace {

class SourceText {
public:
    explicit SourceText(const QString& header)
    {
        out << "// Made at build time by tools/embed-pictures.cpp from the program's art: edit the art,\n"
               "// not this file.\n"
            << "#include \"" << header << "\"\n\n";
    }

    // The pixels of FILE as an array named after it; returns the PixelPicture's initialiser.
    QString picture(const QString& file)
    {
        QImageReader reader(file);
        QImage image = reader.read();
        if (image.isNull())
            throw std::runtime_error(
                QStringLiteral("cannot read %1: %2").arg(file, reader.errorString()).toStdString());
        const bool opaque = !image.hasAlphaChannel();
        image = image.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        const QString array = nextArrayName();
        data << "const std::uint32_t " << array << "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                data << ((y * image.width() + x) % 8 == 0 ? "\n    " : " ");
                data << QStringLiteral("0x%1u,").arg(row[x], 8, 16, QLatin1Char('0'));
            }
        }
        data << "\n};\n";
        return QStringLiteral("{%1, %2, %3, %4}")
            .arg(image.width())
            .arg(image.height())
            .arg(opaque ? QStringLiteral("true") : QStringLiteral("false"), array);
    }

    void definePicture(const QString& name, const QString& file)
    {
        definitions << "const PixelPicture BuiltInPictures::" << name << picture(file) << ";\n";
    }

    void defineTable(const QString& name, const QStringList& files)
    {
        QStringList entries;
        for (const QString& file : files)
            entries << (file == QLatin1String("-") ? QStringLiteral("{}") : picture(file));
        const QString array = nextArrayName();
        data << "const PixelPicture " << array << "[] = {\n    " << entries.join(QStringLiteral(",\n    ")) << "};\n";
        definitions << "const std::span<const PixelPicture> BuiltInPictures::" << name << "{" << array << "};\n";
    }

    void defineBytes(const QString& name, const QString& file)
    {
        QFile input(file);
        if (!input.open(QIODevice::ReadOnly))
            throw std::runtime_error(QStringLiteral("cannot read %1").arg(file).toStdString());
        const QByteArray bytes = input.readAll();
        const QString array = nextArrayName();
        data << "const unsigned char " << array << "[] = {";
        for (qsizetype i = 0; i < bytes.size(); ++i)
            data << (i % 16 == 0 ? "\n    " : " ")
                 << QStringLiteral("0x%1,").arg(static_cast<unsigned char>(bytes[i]), 2, 16, QLatin1Char('0'));
        data << "\n};\n";
        definitions << "const std::span<const unsigned char> BuiltInPictures::" << name << "{" << array << "};\n";
    }

    QString text()
    {
        data.flush();
        definitions.flush();
        out << "namespace {\n\n" << dataText << "\n}  // namespace\n\n" << definitionText;
        out.flush();
        return result;
    }

private:
    QString nextArrayName() { return QStringLiteral("data%1").arg(arrays++); }

    QString result;
    QString dataText;
    QString definitionText;
    QTextStream out{&result};
    QTextStream data{&dataText};
    QTextStream definitions{&definitionText};
    int arrays = 0;
};

void write(const QString& path, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    QSaveFile output(path);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1").arg(path).toStdString());
}

QString take(QStringList& arguments)
{
    if (arguments.isEmpty())
        throw std::runtime_error("an entry lacks its arguments");
    return arguments.takeFirst();
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    try {
        const QString output = take(arguments);
        SourceText source(take(arguments));
        while (!arguments.isEmpty()) {
            const QString kind = take(arguments);
            const QString name = take(arguments);
            if (kind == QLatin1String("picture")) {
                source.definePicture(name, take(arguments));
            } else if (kind == QLatin1String("bytes")) {
                source.defineBytes(name, take(arguments));
            } else if (kind == QLatin1String("table")) {
                bool number = false;
                const int count = take(arguments).toInt(&number);
                if (!number || count < 0 || count > arguments.size())
                    throw std::runtime_error("a table's count is not the number of its files");
                QStringList files = arguments.mid(0, count);
                arguments.remove(0, count);
                source.defineTable(name, files);
            } else {
                throw std::runtime_error(QStringLiteral("unknown entry %1").arg(kind).toStdString());
            }
        }
        write(output, source.text());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "embed-pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
