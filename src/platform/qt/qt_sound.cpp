#include "platform/qt/qt_sound.h"

#include <canberra.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/qt/loaded_library.h"
#include "platform/qt/sound_outputs.h"

extern char** environ;

namespace qv {

namespace {

// Every sound is started under this id, so that one cancel stops whatever plays.
constexpr uint32_t kSoundId = 1;

// The helper that counts the outputs answers within its own bound plus the time it takes to
// start; one that has not answered by then is stuck, and counts as a server that hangs does.
constexpr auto kHelperTimeout = kSoundOutputsTimeout + std::chrono::milliseconds(500);

// The helper beside the running program; else the one built with it, which is where the
// tests and benchmarks, run from folders of their own, find it.
std::string countHelperPath() {
    constexpr const char* kName = "quorvane-sound-outputs";
    std::error_code ec;
    const auto beside = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() / kName;
    if (!ec && ::access(beside.c_str(), X_OK) == 0) return beside;
    return QUORVANE_SOUND_OUTPUTS;
}

// The part of libcanberra that plays and stops. Opened by the player thread before the first
// sound, so that a panel that never plays a sound never maps the player with its codecs.
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

}  // namespace

// The count running in the helper process: the process, and the read end of the pipe that
// its standard output writes to. Whatever happens, the process is reaped and the pipe
// closed when this goes.
class QtSound::Counting {
public:
    // Null when the helper cannot be started.
    static std::unique_ptr<Counting> start(const std::string& helper) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return nullptr;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(helper.c_str()), nullptr};
        pid_t pid = -1;
        const int failed = ::posix_spawn(&pid, helper.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (failed) {
            ::close(out[0]);
            return nullptr;
        }
        return std::unique_ptr<Counting>(new Counting(pid, out[0]));
    }

    ~Counting() {
        // The helper has either answered and is leaving, or is stuck: either way it goes now.
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
        ::close(out_);
    }

    // The helper's answer, waited for until its deadline; 0 when it has none by then.
    int result() {
        std::string text;
        for (;;) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline_ - std::chrono::steady_clock::now());
            if (left.count() <= 0) return 0;
            pollfd p{out_, POLLIN, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
            if (ready < 0 && errno != EINTR) return 0;
            if (ready <= 0) continue;
            char buffer[32];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return 0;
            if (n > 0) {
                text.append(buffer, static_cast<size_t>(n));
                continue;
            }
            // The end of its output: the helper has answered.
            int outputs = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), outputs);
            return error == std::errc() && end != text.data() && outputs > 0 ? outputs : 0;
        }
    }

private:
    Counting(pid_t pid, int out)
        : pid_(pid), out_(out), deadline_(std::chrono::steady_clock::now() + kHelperTimeout) {}

    pid_t pid_;
    int out_;
    std::chrono::steady_clock::time_point deadline_;
};

// One sound at a time: each request cancels what plays before it starts its own, and a request
// the thread has not taken yet gives way to a newer one, so a flood of requests keeps neither
// a queue nor a pile of streams at the server, and leaves only its last sound to be heard.
struct QtSound::Player {
    std::mutex mutex;
    std::condition_variable wake;
    bool waiting = false;
    std::optional<std::string> next;  // while waiting: a file to play, or nothing to stop
    bool started = false;
    bool quit = false;

    void run() {
        const Canberra* ca = nullptr;
        ca_context* ctx = nullptr;
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return quit || waiting; });
            if (quit) break;
            const std::optional<std::string> job = std::move(next);
            waiting = false;
            lock.unlock();
            // Only the server's own player stops a sound on request; the fallback straight to
            // the sound card would let a stopped sound play on. Before the first sound there
            // is nothing to stop and no reason to load the player or reach the server; the
            // loading happens here, so the windows never wait on it.
            if (!ctx && job && (ca = loadedLibrary<Canberra>()) && ca->ca_context_create(&ctx) == CA_SUCCESS)
                ca->ca_context_set_driver(ctx, "pulse");
            if (ctx) ca->ca_context_cancel(ctx, kSoundId);
            if (ctx && job) {
                ca_proplist* props = nullptr;
                if (ca->ca_proplist_create(&props) == CA_SUCCESS) {
                    ca->ca_proplist_sets(props, CA_PROP_MEDIA_FILENAME, job->c_str());
                    ca->ca_context_play_full(ctx, kSoundId, props, nullptr, nullptr);
                    ca->ca_proplist_destroy(props);
                }
            }
            lock.lock();
        }
        lock.unlock();
        if (ctx) ca->ca_context_destroy(ctx);
    }

    // The thread starts with the first request and holds its own share of this.
    static void post(const std::shared_ptr<Player>& self, std::optional<std::string> job) {
        std::lock_guard lock(self->mutex);
        self->next = std::move(job);
        self->waiting = true;
        if (!self->started) {
            self->started = true;
            std::thread([self] { self->run(); }).detach();
        }
        self->wake.notify_one();
    }
};

namespace {

// A count started before the program's first QtSound, for it to take.
std::unique_ptr<QtSound::Counting>& earlyCount() {
    static std::unique_ptr<QtSound::Counting> counting;
    return counting;
}

}  // namespace

void QtSound::startCountEarly() {
    if (!earlyCount()) earlyCount() = Counting::start(countHelperPath());
}

QtSound::QtSound() : counting_(std::move(earlyCount())), player_(std::make_shared<Player>()) {
    if (!counting_) counting_ = Counting::start(countHelperPath());
}

QtSound::QtSound(const std::string& countHelper)
    : counting_(Counting::start(countHelper)), player_(std::make_shared<Player>()) {}

QtSound::~QtSound() {
    std::lock_guard lock(player_->mutex);
    player_->quit = true;
    player_->wake.notify_one();
}

int QtSound::outputCount() {
    if (!counting_) return countSoundOutputs();
    const int outputs = counting_->result();
    counting_.reset();
    return outputs;
}

void QtSound::play(const std::string& path) { Player::post(player_, path); }

void QtSound::stop() { Player::post(player_, std::nullopt); }

}  // namespace qv
