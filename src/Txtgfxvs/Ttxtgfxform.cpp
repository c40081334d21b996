#include "Ttxtgfxform.h"

Ttxtgfxform::Ttxtgfxform(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Ttxtgfxform"));
}
