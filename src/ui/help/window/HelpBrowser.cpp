#include "ui/help/window/HelpBrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>

namespace {

bool insideBook(const QUrl& url) { return url.scheme() == QLatin1String("qthelp"); }

}  // namespace

HelpBrowser::HelpBrowser(const QHelpEngineCore& engine, QWidget* parent) : QTextBrowser(parent), helpEngine(engine)
{
    setObjectName(QStringLiteral("helpBrowser"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

// Every resource of a page (the page, its style sheet, its pictures) comes from the book.
QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (!insideBook(name))
        return QTextBrowser::loadResource(type, name);
    const QByteArray data = helpEngine.fileData(name);
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(data);
    return data;
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    const QUrl url = source().isValid() ? source().resolved(name) : name;
    if (!insideBook(url) && !url.isRelative()) {
        QDesktopServices::openUrl(url);
        return;
    }
    QTextBrowser::doSetSource(name, type);
}
