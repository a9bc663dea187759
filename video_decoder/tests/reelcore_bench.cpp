// Decoding speed of the library against a plain FFmpeg decode-and-convert
// loop in the same process, on a generated 1920x1080 MJPEG AVI. The library
// run opens the clip, forwards every frame and draws into a 1920x1080 DC.
#include "bench.h"

#include "JpegEncoder.h"
#include "Reelcore.h"
#include "TestSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <string>
#include <vector>

using namespace clipgen;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFrames = 300;

std::string Utf8(const std::wstring& text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(size_t(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), bytes, nullptr, nullptr);
    result.resize(size_t(bytes) - 1);
    return result;
}

// Decodes and converts every frame to BGRA, as an application would without
// the library. Returns the frames converted.
int PlainLoop(const std::string& path, std::vector<uint8_t>& bgra)
{
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) != 0)
        return 0;
    avformat_find_stream_info(format, nullptr);
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const AVCodec* codec = avcodec_find_decoder(format->streams[index]->codecpar->codec_id);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(context, format->streams[index]->codecpar);
    avcodec_open2(context, codec, nullptr);
    SwsContext* scaler = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int converted = 0;
    auto drain = [&] {
        while (avcodec_receive_frame(context, frame) == 0) {
            scaler = sws_getCachedContext(scaler, frame->width, frame->height, AVPixelFormat(frame->format),
                frame->width, frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
            bgra.resize(size_t(frame->width) * size_t(frame->height) * 4);
            uint8_t* planes[4] = { bgra.data(), nullptr, nullptr, nullptr };
            int strides[4] = { frame->width * 4, 0, 0, 0 };
            sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
            ++converted;
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index) {
            avcodec_send_packet(context, packet);
            drain();
        }
        av_packet_unref(packet);
    }
    avcodec_send_packet(context, nullptr);
    drain();
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(scaler);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return converted;
}

} // namespace

LS_BENCHMARK(reelcore_vs_plain_ffmpeg_1080p_mjpeg)
{
    av_log_set_level(AV_LOG_QUIET);
    CTempFolder folder;
    const std::wstring path = folder.File(L"bench1080.avi");
    {
        CJpegEncoder encoder;
        AviStream stream { StreamKind::Mjpeg, kWidth, kHeight, {} };
        for (int i = 0; i < kFrames; ++i)
            stream.chunks.push_back(encoder.Encode(TexturedPicture(kWidth, kHeight, i), 85));
        WriteFileBytes(path, BuildAvi({ stream }, 25));
    }

    CCanvas canvas(kWidth, kHeight);
    const std::string utf8 = Utf8(path);
    std::vector<uint8_t> bgra;
    int drawn = 0;
    int counted = 0;
    bool everyFrame = true;
    double libraryFps = 0;
    double plainFps = 0;
    // Alternating runs, best of three each: the two share the machine's
    // state alike, and the best run shows each path's speed with least noise.
    for (int run = 0; run < 3; ++run) {
        const double start = bench::Now();
        const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, kWidth, kHeight, 0, 0, 0, 0);
        if (!bench::Check(handle >= 0, "the library did not open the clip"))
            return;
        int last = -1;
        drawn = 0;
        while (FFmpegFileGetFrame(handle) < FFmpegFileGetFrames(handle)) {
            FFmpegFileForward(handle);
            const int shown = FrameIndexOf(canvas.At(16, 16));
            if (shown != last) {
                ++drawn;
                last = shown;
            }
        }
        counted = FFmpegFileGetFrame(handle);
        FFmpegFileClose(handle);
        const double librarySeconds = bench::Now() - start;
        libraryFps = std::max(libraryFps, drawn / librarySeconds);

        const double plainStart = bench::Now();
        const int converted = PlainLoop(utf8, bgra);
        plainFps = std::max(plainFps, converted / (bench::Now() - plainStart));
        everyFrame = everyFrame && drawn == kFrames && counted == kFrames && converted == kFrames;
    }

    bench::Report("frames counted by the library", counted, "frames");
    bench::Report("frames drawn by the library", drawn, "frames");
    bench::Report("library: open, forward all, draw 1920x1080", libraryFps, "fps");
    bench::Report("plain FFmpeg decode + convert to BGRA", plainFps, "fps");
    bench::Report("library / plain", libraryFps / plainFps, "x");
    bench::Check(everyFrame, "a run did not decode and draw every frame");
}

// What every export pays before it reaches its player: the handle lookup
// under the map lock.
LS_BENCHMARK(reelcore_handle_lookup)
{
    CTempFolder folder;
    const std::wstring path = folder.File(L"small.avi");
    WriteFileBytes(path, FlatRawAvi(32, 32, 10, 25));
    CCanvas canvas(32, 32);
    const int handle = FFmpegFileOpen(path.c_str(), canvas.DC(), 0, 0, 32, 32, 0, 0, 0, 0);
    if (!bench::Check(handle >= 0, "the library did not open the clip"))
        return;
    constexpr int kCalls = 1000;
    int frames = 0;
    const double seconds = bench::Measure([&] {
        for (int i = 0; i < kCalls; ++i)
            frames = FFmpegFileGetFrames(handle);
    });
    FFmpegFileClose(handle);
    bench::Report("frames of the open video", frames, "frames");
    bench::Check(frames == 10, "the lookup did not find the video");
    bench::Report("FFmpegFileGetFrames call", seconds / kCalls * 1e6, "us");
}
