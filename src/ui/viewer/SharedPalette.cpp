#include "ui/viewer/SharedPalette.h"

namespace {

QList<QRgb>& sharedColours()
{
    static QList<QRgb> colours;
    return colours;
}

}  // namespace

namespace SharedPalette {

void set(const QList<QRgb>& colours) { sharedColours() = colours; }

void clear() { sharedColours().clear(); }

bool isSet() { return !sharedColours().isEmpty(); }

const QList<QRgb>& colours() { return sharedColours(); }

}  // namespace SharedPalette
