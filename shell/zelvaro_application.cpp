// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/zelvaro_application.h"

#include "base/ui/app_title.h"
#include "base/ui/error_handler.h"
#include "base/ui/palette_icon_style.h"

#include <QFont>

ZelvaroApplication::ZelvaroApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("zelvaro"));
    // Ties the windows to the installed desktop entry and its icon.
    setDesktopFileName(QStringLiteral("org.zelvaro.Zelvaro"));
    // The standard icons follow the palette: light strokes on a dark one.
    setStyle(new PaletteIconStyle);
    // The windows ask for the fonts they were designed with; these are their
    // metric twins and the Japanese fonts installed here.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), {QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
}

bool ZelvaroApplication::UseLanguage(InterfaceLanguage language, const QString& installedFolder)
{
    if (language == InterfaceLanguage::Japanese)
        return true;
    const QString name = QStringLiteral("zelvaro_en");
    if (!translator_.load(name, installedFolder) && !translator_.load(name, QStringLiteral(":/i18n")))
        return false;
    installTranslator(&translator_);
    return true;
}

bool ZelvaroApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    ErrorHandler::Run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
