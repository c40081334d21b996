#include "ui/viewer/DocumentView.h"

#include <QStringDecoder>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/viewer/RtfReader.h"

QString DocumentText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid())
        return windows1252.decode(bytes);
    return QString::fromLatin1(bytes);
}

namespace DocumentView {

void show(QTextEdit& view, const QByteArray& bytes)
{
    const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!RtfReader::isRichText(content)) {
        view.setPlainText(DocumentText(bytes));
        return;
    }
    // A fresh document keeps the view's default font and colours and drops the pictures of
    // the previous one; the view takes it over.
    auto* document = new QTextDocument(&view);
    document->setDefaultFont(view.font());
    RtfReader::read(content, *document);
    // The view deletes its own first document itself; the ones we gave it are ours to delete.
    QTextDocument* previous = view.document();
    const bool previousIsOurs = previous && previous->parent() == &view;
    view.setDocument(document);
    if (previousIsOurs)
        delete previous;
}

}  // namespace DocumentView
