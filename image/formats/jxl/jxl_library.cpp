// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/jxl/jxl_library.h"

#include "image/formats/shared_library.h"

#include <optional>

namespace {

std::optional<JxlLibrary> Load()
{
    static const SharedLibrary lib(ZELVARO_LIBJXL_SONAME);
    static const SharedLibrary threads(ZELVARO_LIBJXL_THREADS_SONAME);
    JxlLibrary f{};
    const bool all = lib.Find("JxlDecoderCreate", f.DecoderCreate) && lib.Find("JxlDecoderDestroy", f.DecoderDestroy) &&
                     lib.Find("JxlDecoderSubscribeEvents", f.DecoderSubscribeEvents) &&
                     lib.Find("JxlDecoderSetParallelRunner", f.DecoderSetParallelRunner) &&
                     lib.Find("JxlDecoderSetInput", f.DecoderSetInput) &&
                     lib.Find("JxlDecoderCloseInput", f.DecoderCloseInput) &&
                     lib.Find("JxlDecoderProcessInput", f.DecoderProcessInput) &&
                     lib.Find("JxlDecoderGetBasicInfo", f.DecoderGetBasicInfo) &&
                     lib.Find("JxlDecoderSetImageOutCallback", f.DecoderSetImageOutCallback);
    if (!all)
        return std::nullopt;
    const bool pool = threads.Find("JxlThreadParallelRunner", f.ThreadParallelRunner) &&
                      threads.Find("JxlThreadParallelRunnerCreate", f.ThreadParallelRunnerCreate) &&
                      threads.Find("JxlThreadParallelRunnerDestroy", f.ThreadParallelRunnerDestroy) &&
                      threads.Find("JxlThreadParallelRunnerDefaultNumWorkerThreads",
                                   f.ThreadParallelRunnerDefaultNumWorkerThreads);
    if (!pool)
        f.ThreadParallelRunner = nullptr, f.ThreadParallelRunnerCreate = nullptr,
        f.ThreadParallelRunnerDestroy = nullptr, f.ThreadParallelRunnerDefaultNumWorkerThreads = nullptr;
    const bool colours = lib.Find("JxlDecoderGetColorAsEncodedProfile", f.DecoderGetColorAsEncodedProfile) &&
                         lib.Find("JxlDecoderGetICCProfileSize", f.DecoderGetICCProfileSize) &&
                         lib.Find("JxlDecoderGetColorAsICCProfile", f.DecoderGetColorAsICCProfile) &&
                         lib.Find("JxlDecoderSetPreferredColorProfile", f.DecoderSetPreferredColorProfile);
    if (!colours)
        f.DecoderGetColorAsEncodedProfile = nullptr, f.DecoderGetICCProfileSize = nullptr,
        f.DecoderGetColorAsICCProfile = nullptr, f.DecoderSetPreferredColorProfile = nullptr;
    const bool extra = lib.Find("JxlDecoderGetExtraChannelInfo", f.DecoderGetExtraChannelInfo) &&
                       lib.Find("JxlDecoderExtraChannelBufferSize", f.DecoderExtraChannelBufferSize) &&
                       lib.Find("JxlDecoderSetExtraChannelBuffer", f.DecoderSetExtraChannelBuffer);
    if (!extra)
        f.DecoderGetExtraChannelInfo = nullptr, f.DecoderExtraChannelBufferSize = nullptr,
        f.DecoderSetExtraChannelBuffer = nullptr;
    return f;
}

}  // namespace

const JxlLibrary* JxlLibrary::Get()
{
    static const std::optional<JxlLibrary> loaded = Load();
    return loaded ? &*loaded : nullptr;
}
