// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/accessible_names.h"

#include <QLabel>
#include <QWidget>

QString SpokenName(const QString& caption)
{
    QString name;
    name.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                name += caption.at(++i);
            continue;
        }
        name += caption.at(i);
    }
    name = name.trimmed();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name = name.chopped(1).trimmed();
    return name;
}

void NameControlsForSpeech(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* control = label->buddy();
        if (control && control->accessibleName().isEmpty())
            control->setAccessibleName(SpokenName(label->text()));
    }
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->accessibleName();
        if (!name.isEmpty() && SpokenName(name) != name)
            control->setAccessibleName(SpokenName(name));
    }
}
