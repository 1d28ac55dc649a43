#include "platform/qt/qt_sound.h"

#include <canberra.h>
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
            // is nothing to stop and no reason to reach the server.
            if (!ctx && job && ca_context_create(&ctx) == CA_SUCCESS) ca_context_set_driver(ctx, "pulse");
            if (ctx && job) {
                ca_proplist* props = nullptr;
                if (ca_proplist_create(&props) == CA_SUCCESS) {
                    ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, job->c_str());
                    ca_context_play_full(ctx, kSoundId, props, nullptr, nullptr);
                    ca_proplist_destroy(props);
                }
            } else if (ctx) {
                ca_context_cancel(ctx, kSoundId);
            }
            lock.lock();
        }
        lock.unlock();
        if (ctx) ca_context_destroy(ctx);
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
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* ctx = pa_context_new(pa_mainloop_get_api(loop), "Quorvane");
    SinkCount count;
    // A program that only counts must not start a sound server of its own.
    if (ctx && pa_context_connect(ctx, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const auto deadline = std::chrono::steady_clock::now() + kCountTimeout;
        pa_operation* listing = nullptr;
        while (!count.done) {
            const pa_context_state_t state = pa_context_get_state(ctx);
            if (!PA_CONTEXT_IS_GOOD(state)) break;
            if (state == PA_CONTEXT_READY && !listing) {
                listing = pa_context_get_sink_info_list(ctx, countSink, &count);
                if (!listing) break;
            }
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            if (pa_mainloop_prepare(loop, static_cast<int>(left.count())) < 0 || pa_mainloop_poll(loop) < 0 ||
                pa_mainloop_dispatch(loop) < 0)
                break;
        }
        if (listing) {
            pa_operation_cancel(listing);
            pa_operation_unref(listing);
        }
        pa_context_disconnect(ctx);
    }
    if (ctx) pa_context_unref(ctx);
    pa_mainloop_free(loop);
    return count.done ? count.sinks : 0;
}

void QtSound::play(const std::string& path) { Player::post(player_, path); }

void QtSound::stop() { Player::post(player_, std::nullopt); }

}  // namespace qv
