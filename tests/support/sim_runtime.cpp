#include "support/sim_runtime.h"

#include <algorithm>

namespace qv::sim {

void SketchBoard::received(SimConnection& port, const std::string& bytes) {
    if (bytes == "90/") {
        if (!code.empty()) port.arrive(code, latency);
    } else if (bytes == "5/") {
        if (!answerPolls) return;
        const int c = channel;
        channel = (channel + 1) % 5;
        port.arrive("A" + std::to_string(c) + std::to_string(analog[c]), latency);
    } else if (bytes == "7/") {
        if (answerPolls) port.arrive("DI" + std::to_string(keys), latency);
    }
}

SimConnection::~SimConnection() { *alive_ = false; }

void SimConnection::write(const std::string& bytes) {
    if (!open_) return;
    rt_.writes.push_back({rt_.now(), port_, bytes});
    // As on the platform, a write leaves an event behind (the port reporting the bytes
    // gone), so a wait right after a write has something to process at once.
    rt_.post([] {});
    if (board_) board_->received(*this, bytes);
}

std::string SimConnection::readAll() {
    std::string s;
    s.swap(in_);
    return s;
}

void SimConnection::close() { open_ = false; }

void SimConnection::arrive(const std::string& text, double delay) {
    std::weak_ptr<bool> alive = alive_;
    rt_.schedule(rt_.now() + delay, [this, alive, text] {
        if (alive.expired() || !*alive.lock() || !open_) return;
        in_ += text;
        if (onReceive) onReceive();
    });
}

void SimConnection::unplug(double delay) {
    std::weak_ptr<bool> alive = alive_;
    rt_.schedule(rt_.now() + delay, [this, alive] {
        if (alive.expired() || !*alive.lock() || !open_) return;
        open_ = false;
        in_.clear();
        if (onEnded) onEnded({"the device was removed", true});
    });
}

SimRuntime::SimRuntime() {
    environment.programFolder = "/opt/quorvane";
    environment.exeName = "Quorvane";
    environment.homeFolder = "/home/kim";
    environment.loginName = "kim";
}

SimRuntime::~SimRuntime() {
    for (auto& d : disposals_) d();
}

void SimRuntime::schedule(double t, std::function<void()> fn) {
    queue_.push_back({t, seq_++, std::move(fn)});
    std::push_heap(queue_.begin(), queue_.end(), Later{});
}

bool SimRuntime::runNext(double limit, long maxSeq) {
    if (quitRequested || queue_.empty()) return false;
    const Event& top = queue_.front();
    if (top.t > limit || top.seq > maxSeq) return false;
    std::pop_heap(queue_.begin(), queue_.end(), Later{});
    Event ev = std::move(queue_.back());
    queue_.pop_back();
    t_ = std::max(t_, ev.t);
    ++depth_;
    ev.fn();
    --depth_;
    return true;
}

void SimRuntime::doEvents() {
    // Only what is pending at the call, as one pass of the platform's event processing.
    const long maxSeq = seq_ - 1;
    while (runNext(t_, maxSeq)) {
    }
}

void SimRuntime::wait(double seconds) {
    const double end = t_ + seconds;
    while (runNext(end, seq_ + (1L << 60))) {
    }
    if (!quitRequested) t_ = std::max(t_, end);
}

void SimRuntime::waitNoEvents(double seconds) { t_ += seconds; }

void SimRuntime::waitForEvents(double deadline) {
    if (!runNext(deadline, seq_ + (1L << 60))) t_ = std::max(t_, deadline);
}

void SimRuntime::post(std::function<void()> fn) { schedule(t_, std::move(fn)); }

void SimRuntime::disposeLater(std::function<void()> fn) { disposals_.push_back(std::move(fn)); }

void SimRuntime::scheduleTick(int id, long gen, double t) {
    schedule(t, [this, id, gen, t] {
        auto it = timers_.find(id);
        if (it == timers_.end() || it->second.gen != gen) return;
        scheduleTick(id, gen, t + it->second.intervalMs / 1000.0);
        auto tick = it->second.tick;  // the tick may stop its own timer
        tick();
    });
}

int SimRuntime::startTimer(int intervalMs, std::function<void()> tick) {
    const int id = nextTimerId_++;
    const long gen = nextGen_++;
    timers_[id] = {intervalMs, gen, std::move(tick)};
    scheduleTick(id, gen, t_ + intervalMs / 1000.0);
    return id;
}

void SimRuntime::stopTimer(int id) { timers_.erase(id); }

int SimRuntime::msgBox(const std::string& text, int style, const std::string& title) {
    messages.push_back({t_, text, style, title});
    if (onMsgBox) onMsgBox(messages.back());
    return MsgResultOk;
}

std::optional<int> SimRuntime::chooseColor(int initial) {
    colorInitials.push_back(initial);
    if (colorAnswers.empty()) return std::nullopt;
    auto a = colorAnswers.front();
    colorAnswers.erase(colorAnswers.begin());
    return a;
}

void SimRuntime::formShown(Form& f) {
    formEvents.push_back("shown " + f.name);
    if (onFormShown) onFormShown(f);
}
void SimRuntime::formHidden(Form& f) { formEvents.push_back("hidden " + f.name); }
void SimRuntime::formUnloaded(Form& f) { formEvents.push_back("unloaded " + f.name); }

bool SimRuntime::comPortExists(int n) { return existingPorts.count(n) > 0; }

Result<std::unique_ptr<SerialConnection>> SimRuntime::openSerial(int n, const LineSettings& /*s*/) {
    if (auto r = refuseOpen.find(n); r != refuseOpen.end()) return Failure{r->second};
    if (!existingPorts.count(n)) return Failure{"no such device", true};
    auto b = boards.find(n);
    auto c = std::make_unique<SimConnection>(*this, n, b == boards.end() ? nullptr : b->second);
    lastConnection = c.get();
    ++openCount;
    return std::unique_ptr<SerialConnection>(std::move(c));
}

void SimRuntime::playSound(const std::string& path) { sounds.push_back({t_, path}); }
void SimRuntime::stopSound() { sounds.push_back({t_, std::string()}); }

void SimRuntime::runUntil(double t) {
    while (runNext(t, seq_ + (1L << 60))) {
    }
    if (!quitRequested) t_ = std::max(t_, t);
    if (depth_ == 0) {
        auto d = std::move(disposals_);
        disposals_.clear();
        for (auto& fn : d) fn();
    }
}

void SimRuntime::at(double t, std::function<void()> fn) { schedule(t, std::move(fn)); }

void SimRuntime::click(Control& c) {
    if (quitRequested || !c.form.Enabled || !c.form.visible() || !c.Enabled) return;
    c.form.activate();
    c.click();
}

void SimRuntime::choose(ComboBox& c, const std::string& item) {
    if (quitRequested || !c.form.Enabled || !c.Enabled) return;
    c.form.activate();
    c.Text = item;
    c.click();
}

std::string SimRuntime::writtenText(size_t from) const {
    std::string s;
    for (size_t i = from; i < writes.size(); ++i) s += writes[i].bytes;
    return s;
}

}  // namespace qv::sim
