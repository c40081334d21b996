// Showing a 4000 x 3000 JPEG photo and a 1 MB rich-text document in the viewer window
// (offscreen): reading the file, decoding or parsing it, and the first paint. Then documents
// with long lines, which once froze the window for seconds to minutes: the time to the first
// screen, and as counters the time until the whole text is in the view (filled_ms) and the
// longest the window went without answering meanwhile and in the half second after
// (longest_freeze_ms).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <string>

#include "ui/viewer/DocumentView.h"
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
        std::string rtf =
            "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
            "{\\f1\\froman\\fcharset204 Times New Roman Cyr;}}"
            "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\\f0\\fs22 ";
        for (int paragraph = 0; rtf.size() < 1'000'000; ++paragraph) {
            rtf += "\\pard\\sa120\\qj Paragraph " + std::to_string(paragraph) +
                   " has {\\b bold words}, {\\i italic words}, {\\cf2 red words} and caf\\'e9 "
                   "cr\\'e8me {\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2} \\u8364? \\ldblquote quoted\\rdblquote "
                   "text that runs on for a while so that each paragraph wraps over a few lines.\\par\n";
            if (paragraph % 50 == 49)
                rtf +=
                    "\\trowd\\cellx2000\\cellx4000\\cellx6000\\intbl one\\cell two\\cell three\\cell\\row"
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
    state.counters["paragraphs"] = viewer.richTextView->document()->blockCount();
}
BENCHMARK(showRichText)->Unit(benchmark::kMillisecond);

std::string writeFile(const QString& name, const std::string& bytes)
{
    const QString path = workDir().filePath(name);
    if (!QFile::exists(path)) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    return path.toStdString();
}

std::string shortLines(std::size_t size)
{
    const std::string line = "A short line of a long document, as a log file has them by the thousand.\r\n";
    std::string text;
    text.reserve(size + line.size());
    while (text.size() < size)
        text += line;
    text.resize(size);
    return text;
}

struct Responsiveness {
    double filledMs = 0;
    double longestFreezeMs = 0;
};

// Runs the event loop until the view is filled, then half a second more (the rich-text view
// lays out in the background), timing every turn.
Responsiveness answerUntilFilled(const QPlainTextEdit& view)
{
    Responsiveness result;
    QElapsedTimer all;
    all.start();
    qint64 longest = 0;
    const auto turn = [&] {
        QElapsedTimer one;
        one.start();
        QCoreApplication::processEvents();
        longest = std::max(longest, one.nsecsElapsed());
    };
    while (DocumentView::filling(view))
        turn();
    result.filledMs = static_cast<double>(all.nsecsElapsed()) / 1e6;
    QElapsedTimer after;
    after.start();
    while (after.elapsed() < 500)
        turn();
    result.longestFreezeMs = static_cast<double>(longest) / 1e6;
    return result;
}

// The first screen is timed; filling the rest is measured apart, outside the timing.
void showLongDocument(benchmark::State& state, const std::string& path)
{
    ViewerWindow viewer;
    Responsiveness worst;
    for (auto _ : state) {
        viewer.showDocument(path, "Current item:  long", QRect(0, 0, 1024, 700));
        viewer.repaint();
        state.PauseTiming();
        const Responsiveness run = answerUntilFilled(*viewer.plainTextView);
        worst.filledMs = std::max(worst.filledMs, run.filledMs);
        worst.longestFreezeMs = std::max(worst.longestFreezeMs, run.longestFreezeMs);
        state.ResumeTiming();
    }
    state.counters["filled_ms"] = worst.filledMs;
    state.counters["longest_freeze_ms"] = worst.longestFreezeMs;
    state.counters["paragraphs"] = viewer.plainTextView->isVisible() ? viewer.plainTextView->document()->blockCount()
                                                                     : viewer.richTextView->document()->blockCount();
}

void showOneLineText(benchmark::State& state)
{
    const auto size = static_cast<std::size_t>(state.range(0)) * 1024;
    showLongDocument(state, writeFile(QStringLiteral("line-%1.txt").arg(size), std::string(size, 'x')));
}
BENCHMARK(showOneLineText)->Arg(256)->Arg(1024)->Arg(16 * 1024)->Unit(benchmark::kMillisecond)->Iterations(3);

void showNulBytes(benchmark::State& state)
{
    showLongDocument(state, writeFile(QStringLiteral("nul.txt"), std::string(1024 * 1024, '\0')));
}
BENCHMARK(showNulBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

void show16MiBOfShortLines(benchmark::State& state)
{
    showLongDocument(state, writeFile(QStringLiteral("short-lines.txt"), shortLines(16 * 1024 * 1024)));
}
BENCHMARK(show16MiBOfShortLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void showRichParagraphOf1MiB(benchmark::State& state)
{
    std::string rtf = "{\\rtf1\\ansi ";
    while (rtf.size() < 1024 * 1024)
        rtf += "words of one paragraph that never ends ";
    showLongDocument(state, writeFile(QStringLiteral("paragraph.rtf"), rtf + "}"));
}
BENCHMARK(showRichParagraphOf1MiB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The welcome window's text area at start-up: an introduction of one 1 MiB line.
void showIntroductionOfOneLine(benchmark::State& state)
{
    QPlainTextEdit memo;
    memo.setGeometry(16, 96, 465, 241);
    memo.show();
    const QString line(1024 * 1024, QLatin1Char('x'));
    for (auto _ : state) {
        DocumentView::showText(memo, line);
        memo.repaint();
        state.PauseTiming();
        while (DocumentView::filling(memo))
            QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(showIntroductionOfOneLine)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
