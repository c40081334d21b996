// Start-up shared by the fuzz targets that need Qt's text and image code: an application
// object on the offscreen platform, so no display is needed.
#include <QGuiApplication>

// Font configuration keeps its caches until exit; leaks are ours only outside it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}
