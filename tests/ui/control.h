// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds a window's control, menu item or timer by its object name, as Qt
// tests do: the windows keep their parts private. A part that is not there
// ends the test run with its name.

#include <QObject>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

template <typename T = QWidget>
T* Control(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "no %s named %s in %s\n", T::staticMetaObject.className(), name,
                     window.metaObject()->className());
        std::abort();
    }
    return found;
}

template <typename T = QWidget>
T* Control(const QObject* window, const char* name)
{
    return Control<T>(*window, name);
}
