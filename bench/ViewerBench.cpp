// Showing a 4000 x 3000 JPEG photo and a 1 MB rich-text document in the viewer window
// (offscreen): reading the file, decoding or parsing it, and the first paint.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <string>

#include "ui/viewer/ViewerWindow.h"

namespace {

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A photo-like picture: smooth gradients with fine detail, so the JPEG is of a usual size.
std::string writePhoto()
{
    const QString path = workDir().filePath("photo.jpg");
    if (!QFile::exists(path)) {
        QImage image(4000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x / 16) & 0xFF, (y / 12) & 0xFF, ((x * y) >> 9) & 0xFF);
        }
        image.save(path, "JPEG", 90);
    }
    return path.toStdString();
}

// About 1 MB of rich text: paragraphs with bold, italic and coloured runs, escapes and
// Unicode characters, and a small table every fifty paragraphs.
std::string writeRichText()
{
    const QString path = workDir().filePath("long.rtf");
    if (!QFile::exists(path)) {
        std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                          "{\\f1\\froman\\fcharset204 Times New Roman Cyr;}}"
                          "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\\f0\\fs22 ";
        for (int paragraph = 0; rtf.size() < 1'000'000; ++paragraph) {
            rtf += "\\pard\\sa120\\qj Paragraph " + std::to_string(paragraph) +
                   " has {\\b bold words}, {\\i italic words}, {\\cf2 red words} and caf\\'e9 "
                   "cr\\'e8me {\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2} \\u8364? \\ldblquote quoted\\rdblquote "
                   "text that runs on for a while so that each paragraph wraps over a few lines.\\par\n";
            if (paragraph % 50 == 49)
                rtf += "\\trowd\\cellx2000\\cellx4000\\cellx6000\\intbl one\\cell two\\cell three\\cell\\row"
                       "\\trowd\\cellx2000\\cellx4000\\cellx6000\\intbl 1\\cell 2\\cell 3\\cell\\row\\pard\n";
        }
        rtf += "}";
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(rtf.data(), static_cast<qint64>(rtf.size()));
    }
    return path.toStdString();
}

void showPhoto(benchmark::State& state)
{
    const std::string photo = writePhoto();
    ViewerWindow viewer;
    for (auto _ : state) {
        viewer.showPicture(photo, "Current item:  photo.jpg", QRect(0, 0, 1024, 700));
        viewer.repaint();
    }
    state.counters["file_MB"] = QFileInfo(QString::fromStdString(photo)).size() / 1e6;
}
BENCHMARK(showPhoto)->Unit(benchmark::kMillisecond);

void showRichText(benchmark::State& state)
{
    const std::string document = writeRichText();
    ViewerWindow viewer;
    for (auto _ : state) {
        viewer.showDocument(document, "Current item:  long.rtf", QRect(0, 0, 1024, 700));
        viewer.repaint();
    }
    state.counters["file_MB"] = QFileInfo(QString::fromStdString(document)).size() / 1e6;
    state.counters["paragraphs"] = viewer.memo1->document()->blockCount();
}
BENCHMARK(showRichText)->Unit(benchmark::kMillisecond);

}  // namespace
