// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled with core's include path only: it must not build.
#include <QString>
#include <QtCore/QString>
int main()
{
    return 0;
}
