#include "platform/qt/sound_outputs.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include "platform/qt/loaded_library.h"

namespace qv {

namespace {

// The part of libpulse that counts the outputs.
struct Pulse {
    static constexpr const char* kLibrary = "libpulse.so.0";
    decltype(&::pa_mainloop_new) pa_mainloop_new;
    decltype(&::pa_mainloop_get_api) pa_mainloop_get_api;
    decltype(&::pa_mainloop_prepare) pa_mainloop_prepare;
    decltype(&::pa_mainloop_poll) pa_mainloop_poll;
    decltype(&::pa_mainloop_dispatch) pa_mainloop_dispatch;
    decltype(&::pa_mainloop_free) pa_mainloop_free;
    decltype(&::pa_context_new) pa_context_new;
    decltype(&::pa_context_connect) pa_context_connect;
    decltype(&::pa_context_get_state) pa_context_get_state;
    decltype(&::pa_context_get_sink_info_list) pa_context_get_sink_info_list;
    decltype(&::pa_context_disconnect) pa_context_disconnect;
    decltype(&::pa_context_unref) pa_context_unref;
    decltype(&::pa_operation_cancel) pa_operation_cancel;
    decltype(&::pa_operation_unref) pa_operation_unref;

    void bindAll(void* lib, bool& complete) {
        QV_BIND(pa_mainloop_new);
        QV_BIND(pa_mainloop_get_api);
        QV_BIND(pa_mainloop_prepare);
        QV_BIND(pa_mainloop_poll);
        QV_BIND(pa_mainloop_dispatch);
        QV_BIND(pa_mainloop_free);
        QV_BIND(pa_context_new);
        QV_BIND(pa_context_connect);
        QV_BIND(pa_context_get_state);
        QV_BIND(pa_context_get_sink_info_list);
        QV_BIND(pa_context_disconnect);
        QV_BIND(pa_context_unref);
        QV_BIND(pa_operation_cancel);
        QV_BIND(pa_operation_unref);
    }
};

struct SinkCount {
    int sinks = 0;
    bool done = false;
};

void countSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* count = static_cast<SinkCount*>(data);
    if (eol) count->done = true;
    if (info) ++count->sinks;
}

}  // namespace

int countSoundOutputs() {
    const Pulse* pa = loadedLibrary<Pulse>();
    if (!pa) return 0;
    pa_mainloop* loop = pa->pa_mainloop_new();
    pa_context* ctx = pa->pa_context_new(pa->pa_mainloop_get_api(loop), "Quorvane");
    SinkCount count;
    // A program that only counts must not start a sound server of its own.
    if (ctx && pa->pa_context_connect(ctx, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const auto deadline = std::chrono::steady_clock::now() + kSoundOutputsTimeout;
        pa_operation* listing = nullptr;
        while (!count.done) {
            const pa_context_state_t state = pa->pa_context_get_state(ctx);
            if (!PA_CONTEXT_IS_GOOD(state)) break;
            if (state == PA_CONTEXT_READY && !listing) {
                listing = pa->pa_context_get_sink_info_list(ctx, countSink, &count);
                if (!listing) break;
            }
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            if (pa->pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 ||
                pa->pa_mainloop_poll(loop) < 0 || pa->pa_mainloop_dispatch(loop) < 0)
                break;
        }
        if (listing) {
            pa->pa_operation_cancel(listing);
            pa->pa_operation_unref(listing);
        }
        pa->pa_context_disconnect(ctx);
    }
    if (ctx) pa->pa_context_unref(ctx);
    pa->pa_mainloop_free(loop);
    return count.done ? count.sinks : 0;
}

}  // namespace qv
