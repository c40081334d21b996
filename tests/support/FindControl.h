#pragma once
// A window's control as tests reach it: by its object name, as the windows keep their
// controls to themselves. A control that is not there fails the test with its name.
#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

template <class Control>
Control* findControl(const QObject& window, const char* name)
{
    auto* control = window.findChild<Control*>(QLatin1String(name));
    if (!control)
        throw std::runtime_error(std::string("no control named ") + name);
    return control;
}
