// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The part of libjxl and its thread pool the JPEG XL reader uses, loaded on
// the first such file.

#include <jxl/decode.h>
#include <jxl/thread_parallel_runner.h>

struct JxlLibrary {
    decltype(&JxlDecoderCreate) DecoderCreate;
    decltype(&JxlDecoderDestroy) DecoderDestroy;
    decltype(&JxlDecoderSubscribeEvents) DecoderSubscribeEvents;
    decltype(&JxlDecoderSetParallelRunner) DecoderSetParallelRunner;
    decltype(&JxlDecoderSetInput) DecoderSetInput;
    decltype(&JxlDecoderCloseInput) DecoderCloseInput;
    decltype(&JxlDecoderProcessInput) DecoderProcessInput;
    decltype(&JxlDecoderGetBasicInfo) DecoderGetBasicInfo;
    decltype(&JxlDecoderSetImageOutCallback) DecoderSetImageOutCallback;
    // The thread pool; all null when libjxl_threads is missing, and the
    // decoder then works on the calling thread alone.
    decltype(&JxlThreadParallelRunner) ThreadParallelRunner;
    decltype(&JxlThreadParallelRunnerCreate) ThreadParallelRunnerCreate;
    decltype(&JxlThreadParallelRunnerDestroy) ThreadParallelRunnerDestroy;
    decltype(&JxlThreadParallelRunnerDefaultNumWorkerThreads) ThreadParallelRunnerDefaultNumWorkerThreads;

    // The picture's colours; all null when this libjxl lacks one of them,
    // and the pictures are then taken as they come.
    decltype(&JxlDecoderGetColorAsEncodedProfile) DecoderGetColorAsEncodedProfile;
    decltype(&JxlDecoderGetICCProfileSize) DecoderGetICCProfileSize;
    decltype(&JxlDecoderGetColorAsICCProfile) DecoderGetColorAsICCProfile;
    decltype(&JxlDecoderSetPreferredColorProfile) DecoderSetPreferredColorProfile;
    bool KnowsColours() const { return DecoderSetPreferredColorProfile != nullptr; }

    // The extra channels, for the black of a CMYK picture; null when this
    // libjxl lacks one of them.
    decltype(&JxlDecoderGetExtraChannelInfo) DecoderGetExtraChannelInfo;
    decltype(&JxlDecoderExtraChannelBufferSize) DecoderExtraChannelBufferSize;
    decltype(&JxlDecoderSetExtraChannelBuffer) DecoderSetExtraChannelBuffer;
    bool KnowsExtraChannels() const { return DecoderSetExtraChannelBuffer != nullptr; }

    // The loaded library, or null when it is not installed or lacks a
    // function; loaded once, on the first call, from any thread.
    static const JxlLibrary* Get();
};
