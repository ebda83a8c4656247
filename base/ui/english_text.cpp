// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/english_text.h"

#include <QString>
#include <QTranslator>

std::string EnglishText(const char* context, const std::string& source)
{
    // Loaded once, from the resources, and never installed: the windows keep
    // their own language.
    static QTranslator* const english = [] {
        auto* translator = new QTranslator;
        // Without it the log keeps the written texts.
        [[maybe_unused]] const bool loaded = translator->load(QStringLiteral(":/i18n/zelvaro_en.qm"));
        return translator;
    }();
    const QString text = english->translate(context, source.c_str());
    return text.isEmpty() ? source : text.toStdString();
}
