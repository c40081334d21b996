#pragma once
// Loading a whole document into a read-only text view: rich text (it starts with "{\rtf",
// whatever its name) shows formatted through our RTF reader, anything else as plain text.
// The viewer window and the welcome window's credits page share it.
#include <QByteArray>
#include <QString>

class QTextEdit;

namespace DocumentView {

void show(QTextEdit& view, const QByteArray& bytes);

}  // namespace DocumentView

// The text of a document's bytes: UTF-8 when they are valid UTF-8, else Windows-1252.
QString DocumentText(const QByteArray& bytes);
