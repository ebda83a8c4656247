// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/path_text.h"

#include "base/text_helpers.h"

QString PathText(std::string_view path)
{
    QString text;
    text.reserve(static_cast<qsizetype>(path.size()));
    std::size_t run = 0;  // where the UTF-8 not yet added starts
    for (std::size_t i = 0; i < path.size();) {
        if (const std::size_t length = Utf8CharacterLength(path, i)) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(path.data() + run, static_cast<qsizetype>(i - run));
        text += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(path[i])));
        run = ++i;
    }
    text += QString::fromUtf8(path.data() + run, static_cast<qsizetype>(path.size() - run));
    return text;
}

std::string PathBytes(const QString& text)
{
    std::string path;
    path.reserve(static_cast<std::size_t>(text.size()));
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;  // a whole pair is UTF-8 like any other character
            continue;
        }
        if (c < 0xDC80 || c > 0xDCFF)
            continue;
        path += text.mid(run, i - run).toStdString();
        path += static_cast<char>(c - 0xDC00);
        run = i + 1;
    }
    path += text.mid(run).toStdString();
    return path;
}
