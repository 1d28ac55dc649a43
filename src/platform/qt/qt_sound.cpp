#include "platform/qt/qt_sound.h"

#include <canberra.h>
#include <dlfcn.h>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace qv {

namespace {

// Every sound is started under this id, so that one cancel stops them all.
constexpr uint32_t kSoundId = 1;

// A server that has not listed its outputs by then is taken as none: one that accepts the
// connection and then hangs holds start-up up no longer. A live one answers in milliseconds.
constexpr auto kCountTimeout = std::chrono::milliseconds(500);

struct SinkCount {
    int sinks = 0;
    bool done = false;
};

// The sound libraries, and the codecs and database they bring along, are opened when first
// needed rather than at load time: a panel that never plays a sound never maps the player.
// Once opened they stay for the rest of the process; libpulse marks itself as never to be
// unloaded anyway. A library that is not installed counts no outputs and plays nothing,
// as a missing server does.
template <typename Fn>
void bind(void* lib, const char* name, Fn*& fn, bool& complete) {
    fn = reinterpret_cast<Fn*>(dlsym(lib, name));
    complete = complete && fn;
}

// Within an Api's bindAll: looks the function up under its own name.
#define QV_BIND(fn) bind(lib, #fn, fn, complete)

// Api's library with every function looked up, opened by the first caller; null when the
// library or one of its functions is missing.
template <typename Api>
const Api* loaded() {
    static const std::optional<Api> api = []() -> std::optional<Api> {
        void* lib = dlopen(Api::kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!lib) return std::nullopt;
        Api functions{};
        bool complete = true;
        functions.bindAll(lib, complete);
        if (complete) return functions;
        dlclose(lib);
        return std::nullopt;
    }();
    return api ? &*api : nullptr;
}

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

// The part of libcanberra that plays and stops.
struct Canberra {
    static constexpr const char* kLibrary = "libcanberra.so.0";
    decltype(&::ca_context_create) ca_context_create;
    decltype(&::ca_context_set_driver) ca_context_set_driver;
    decltype(&::ca_context_play_full) ca_context_play_full;
    decltype(&::ca_context_cancel) ca_context_cancel;
    decltype(&::ca_context_destroy) ca_context_destroy;
    decltype(&::ca_proplist_create) ca_proplist_create;
    decltype(&::ca_proplist_sets) ca_proplist_sets;
    decltype(&::ca_proplist_destroy) ca_proplist_destroy;

    void bindAll(void* lib, bool& complete) {
        QV_BIND(ca_context_create);
        QV_BIND(ca_context_set_driver);
        QV_BIND(ca_context_play_full);
        QV_BIND(ca_context_cancel);
        QV_BIND(ca_context_destroy);
        QV_BIND(ca_proplist_create);
        QV_BIND(ca_proplist_sets);
        QV_BIND(ca_proplist_destroy);
    }
};

#undef QV_BIND

void countSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* count = static_cast<SinkCount*>(data);
    if (eol) count->done = true;
    if (info) ++count->sinks;
}

}  // namespace

struct QtSound::Player {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::optional<std::string>> jobs;  // a file to play, or nothing to stop
    bool started = false;
    bool quit = false;

    void run() {
        const Canberra* ca = nullptr;
        ca_context* ctx = nullptr;
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return quit || !jobs.empty(); });
            if (quit) break;
            const std::optional<std::string> job = std::move(jobs.front());
            jobs.pop_front();
            lock.unlock();
            // Only the server's own player stops a sound on request; the fallback straight to
            // the sound card would let a stopped sound play on. Before the first sound there
            // is nothing to stop and no reason to load the player or reach the server; the
            // loading happens here, so the windows never wait on it.
            if (!ctx && job && (ca = loaded<Canberra>()) && ca->ca_context_create(&ctx) == CA_SUCCESS)
                ca->ca_context_set_driver(ctx, "pulse");
            if (ctx && job) {
                ca_proplist* props = nullptr;
                if (ca->ca_proplist_create(&props) == CA_SUCCESS) {
                    ca->ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, job->c_str());
                    ca->ca_context_play_full(ctx, kSoundId, props, nullptr, nullptr);
                    ca->ca_proplist_destroy(props);
                }
            } else if (ctx) {
                ca->ca_context_cancel(ctx, kSoundId);
            }
            lock.lock();
        }
        lock.unlock();
        if (ctx) ca->ca_context_destroy(ctx);
    }

    // The thread starts with the first job and holds its own share of this.
    static void post(const std::shared_ptr<Player>& self, std::optional<std::string> job) {
        std::lock_guard lock(self->mutex);
        self->jobs.push_back(std::move(job));
        if (!self->started) {
            self->started = true;
            std::thread([self] { self->run(); }).detach();
        }
        self->wake.notify_one();
    }
};

QtSound::QtSound() : player_(std::make_shared<Player>()) {}

QtSound::~QtSound() {
    std::lock_guard lock(player_->mutex);
    player_->quit = true;
    player_->wake.notify_one();
}

int QtSound::outputCount() const {
    const Pulse* pa = loaded<Pulse>();
    if (!pa) return 0;
    pa_mainloop* loop = pa->pa_mainloop_new();
    pa_context* ctx = pa->pa_context_new(pa->pa_mainloop_get_api(loop), "Quorvane");
    SinkCount count;
    // A program that only counts must not start a sound server of its own.
    if (ctx && pa->pa_context_connect(ctx, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const auto deadline = std::chrono::steady_clock::now() + kCountTimeout;
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

void QtSound::play(const std::string& path) { Player::post(player_, path); }

void QtSound::stop() { Player::post(player_, std::nullopt); }

}  // namespace qv
