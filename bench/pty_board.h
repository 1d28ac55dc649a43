// A board on a pseudo-terminal for the benchmarks, answering as the AdaFruit ("AT")
// sketch does from a thread of its own and stamping every poll request it gets.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "board-emulator/board_line.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A board on a pseudo-terminal, served by its own thread, that behaves as the "AT"
// sketch: "90/" gets "AT", "5/" an analog report walking the channels A0..A4 whose value
// moves on every poll; every other command is taken without an answer.
class PtyBoard {
public:
    struct Report {
        std::string value;  // as the panel shows it
        Clock::time_point written{};
        bool pending = false;  // written and not yet seen on screen
    };

    PtyBoard() {
        if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
            std::perror("openpty");
            std::exit(2);
        }
        termios t{};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
        // Keeping the slave open spares the master a hang-up each time the panel closes it.
        slaveName_ = ::ttyname(slave_);
        if (::pipe(stopPipe_) != 0) {
            std::perror("pipe");
            std::exit(2);
        }
    }
    ~PtyBoard() {
        stop();
        ::close(master_);
        ::close(slave_);
        ::close(stopPipe_[0]);
        ::close(stopPipe_[1]);
    }
    PtyBoard(const PtyBoard&) = delete;
    PtyBoard& operator=(const PtyBoard&) = delete;

    const std::string& slaveName() const { return slaveName_; }

    // Writes `text` to the panel unasked; from any thread.
    void send(const std::string& text) { board::writeAll(master_, text); }

    // Every reading crosses the panel's on/off threshold (512), so each report also
    // switches its input's colour, picture and sound: the worst case. Otherwise the
    // readings follow a slowly turned knob that crosses it now and then.
    bool toggle = false;
    // When above 0, the board reads no faster than a line at this baud rate carries
    // (ten bits a byte), as a real board behind a serial line does.
    int lineBaud = 0;
    // Once set, the board reads nothing more, as a hung board does.
    std::atomic<bool> deaf{false};

    // `firstPoll` runs on the board thread when the first "5/" arrives.
    void start(std::function<void()> firstPoll) {
        firstPoll_ = std::move(firstPoll);
        thread_ = std::thread([this] { serve(); });
    }
    void stop() {
        if (!thread_.joinable()) return;
        const char c = 0;
        [[maybe_unused]] const ssize_t n = ::write(stopPipe_[1], &c, 1);
        thread_.join();
    }

    // Everything below is shared with the panel's thread: hold the lock.
    std::mutex mutex;
    std::vector<Clock::time_point> pollArrivals;
    std::array<Report, 5> last{};
    long reportsWritten = 0;
    long ledFrames = 0;
    // While deaf: when the line last took a byte (to within 10 ms).
    Clock::time_point lineTookAt{};

private:
    // A channel's reading differs from its last one on every visit.
    int nextValue(int ch) {
        int& last = lastValue_[static_cast<size_t>(ch)];
        int v;
        if (toggle) {
            v = last < 512 ? 600 + static_cast<int>(polls_ % 400) : static_cast<int>(polls_ % 400);
        } else {
            v = static_cast<int>(
                std::lround(511.5 + 511.5 * std::sin(static_cast<double>(polls_) * 0.01 + ch * 1.3)));
            if (v == last) v = v < 1023 ? v + 1 : v - 1;
        }
        ++polls_;
        last = v;
        return v;
    }

    void handle(const std::string& cmd, Clock::time_point arrived) {
        if (cmd == "90/") {
            board::writeAll(master_, "AT");
        } else if (cmd == "5/") {
            const int ch = channel_;
            channel_ = (channel_ + 1) % 5;
            const int value = nextValue(ch);
            const std::string text = "A" + std::to_string(ch) + std::to_string(value);
            bool first = false;
            {
                std::lock_guard lock(mutex);
                first = pollArrivals.empty();
                pollArrivals.push_back(arrived);
                // Stamped before the write: the panel may show it before write() returns.
                last[static_cast<size_t>(ch)] = {std::to_string(value), Clock::now(), true};
                ++reportsWritten;
            }
            board::writeAll(master_, text);
            if (first && firstPoll_) firstPoll_();
        } else if (cmd.rfind("1/", 0) == 0) {
            std::lock_guard lock(mutex);
            ++ledFrames;
        }
    }

    // Notes when the line last took a byte: until it is full, the line has room for more.
    void serveDeaf() {
        for (;;) {
            pollfd room{slave_, POLLOUT, 0};
            if (::poll(&room, 1, 0) > 0 && (room.revents & POLLOUT)) {
                std::lock_guard lock(mutex);
                lineTookAt = Clock::now();
            }
            pollfd s{stopPipe_[0], POLLIN, 0};
            if (::poll(&s, 1, 10) > 0) return;
        }
    }

    void serve() {
        std::string buf;
        for (;;) {
            if (deaf) return serveDeaf();
            pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) continue;
            if (fds[1].revents & POLLIN) return;
            if (!(fds[0].revents & POLLIN)) {
                // A hang-up with nothing to read: wait for the panel to open the line again
                // without spinning on the event poll() keeps reporting.
                if (fds[0].revents & (POLLHUP | POLLERR)) {
                    pollfd s{stopPipe_[0], POLLIN, 0};
                    if (::poll(&s, 1, 10) > 0) return;
                }
                continue;
            }
            const Clock::time_point arrived = Clock::now();
            char chunk[256];
            size_t want = sizeof chunk;
            if (lineBaud > 0) {
                // What the line has carried since the first byte, less what was read.
                if (lineStart_ == Clock::time_point{}) lineStart_ = arrived;
                const double carried =
                    std::chrono::duration<double>(arrived - lineStart_).count() * lineBaud / 10;
                want = std::min(
                    want, static_cast<size_t>(std::max(0.0, carried + 1 - static_cast<double>(lineRead_))));
                if (want == 0) {
                    pollfd s{stopPipe_[0], POLLIN, 0};
                    if (::poll(&s, 1, 1) > 0) return;
                    continue;
                }
            }
            const ssize_t n = ::read(master_, chunk, want);
            if (n <= 0) continue;
            lineRead_ += n;
            buf.append(chunk, static_cast<size_t>(n));
            while (const size_t len = board::commandLength(buf)) {
                handle(buf.substr(0, len), arrived);
                buf.erase(0, len);
            }
            if (buf.size() > 4096) buf.clear();
        }
    }

    int master_ = -1;
    int slave_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::string slaveName_;
    std::thread thread_;
    std::function<void()> firstPoll_;
    int channel_ = 0;
    long polls_ = 0;
    Clock::time_point lineStart_{};
    long long lineRead_ = 0;
    std::array<int, 5> lastValue_{-1, -1, -1, -1, -1};
};

}  // namespace bench
