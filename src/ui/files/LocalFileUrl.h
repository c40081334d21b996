#pragma once
// The file a file:// URL names, as the file system spells it. QUrl's decoded forms turn
// percent-encoded bytes that are not UTF-8 into U+FFFD, so a name such as "bad%FF.wav"
// (what a file manager or our own D-Bus metadata sends for a Latin-1 name) would name no
// file; the bytes are taken from the encoded form instead.
#include <QUrl>
#include <optional>
#include <string>

// Nothing for a URL that names no local file (a web address, trash:/).
std::optional<std::string> LocalFileBytes(const QUrl& url);
