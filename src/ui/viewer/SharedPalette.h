#pragma once
// The palette the picture component uses for every picture while it is set, taken from the
// welcome window's palette bitmap each time that window is shown. Pictures are drawn in true
// colour, so it changes how no picture looks; it is kept so that the program's palette is
// known in one place (a picture reduced to 256 colours would be mapped through it).
#include <QList>
#include <QRgb>

namespace SharedPalette {

void set(const QList<QRgb>& colours);
void clear();
bool isSet();
// The colours while set; empty otherwise.
const QList<QRgb>& colours();

}  // namespace SharedPalette
