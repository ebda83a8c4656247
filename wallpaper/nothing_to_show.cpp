// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/nothing_to_show.h"

#include "base/text_helpers.h"
#include "base/translatable.h"
#include "base/zelvaro_error.h"

#include <filesystem>
#include <system_error>

namespace {

const char* const kBrokenLinks = QT_TRANSLATE_NOOP("Messages",
                                                   "壁紙ﾃﾞｨﾚｸﾄﾘ %s の画像ﾌｧｲﾙは、どれも行き先のないﾘﾝｸです。"
                                                   "ﾘﾝｸを直すか、ｵﾌﾟｼｮﾝ設定で選び直してください");

}  // namespace

WallNotice BrokenLinksNotice(const std::string& folder)
{
    return {kBrokenLinks, true, ShownEscaped(folder)};
}

void RefuseEmptyWallFolder(const std::string& folder, std::size_t brokenLinks)
{
    if (folder.empty())
        throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "壁紙ﾃﾞｨﾚｸﾄﾘが設定されていません。"
                                                         "ｵﾌﾟｼｮﾝ設定で壁紙ﾃﾞｨﾚｸﾄﾘを選んでください"));
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "壁紙ﾃﾞｨﾚｸﾄﾘ %s がありません。"
                                                         "ｵﾌﾟｼｮﾝ設定で選び直してください"),
                           folder);
    if (brokenLinks > 0)
        throw ZelvaroError(kBrokenLinks, folder);
    throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "壁紙ﾃﾞｨﾚｸﾄﾘ %s に画像ﾌｧｲﾙがありません。"
                                                     "画像を置くか、ｵﾌﾟｼｮﾝ設定で選び直してください"),
                       folder);
}

void RefuseUnsetPanicFile(const std::string& file)
{
    if (file.empty())
        throw ZelvaroError(QT_TRANSLATE_NOOP("Messages", "緊急表示壁紙ﾌｧｲﾙが設定されていません。"
                                                         "ｵﾌﾟｼｮﾝ設定で選んでください"));
}
