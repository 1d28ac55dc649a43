// The whole program with a sketch board on COM3, for the connection, identification and
// search window tests. Times are virtual seconds from the click on "Connect".
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/rig.h"

namespace qv::test {

// The phase of the connection, as a user sees it on the screen.
enum class ConnectionState { NotConnected, Opening, Identifying, Connected, Closing };

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.writeStandardSettings();
        w = &rig.start();
        // The standard settings' values, set here so these tests do not rest on the
        // settings reader.
        auto& s = prog().mod.settings;
        s.LedRed = 255;
        s.LedGreen = 0;
        s.LedBlue = 0;
        s.ConnectedText = "ARDUINO ";
        rig.rt.messages.clear();
        rig.rt.writes.clear();
    }

    Program& prog() { return *rig.prog; }
    sim::SimRuntime& rt() { return rig.rt; }
    std::string pic(const std::string& name) { return prog().picture(name); }

    // Picks COMn and schedules a click on "Connect" now; t0 is the time of the click.
    // A click runs its sequence's waits inside it, so whatever a test wants to see or do
    // during a wait is scheduled ahead (probe, clickAt) and runs at its virtual time.
    void clickConnect(int port = 3) {
        rt().choose(w->ComboPoorten, "Com " + std::to_string(port));
        t0 = rt().now();
        clickAt(0);
    }
    // Runs until t0 + t; a wait under way at that time runs to its end first.
    void runTo(double t) { rt().runUntil(t0 + t); }
    void clickAt(double t) {
        rt().at(t0 + t, [this] { rt().click(w->CMD_Verbind); });
    }
    void probe(double t, std::function<void()> fn) { rt().at(t0 + t, std::move(fn)); }

    // Connects to a board with `code` on COM3 and runs until `t`.
    sim::SketchBoard& connectTo(const std::string& code, double t) {
        sim::SketchBoard& b = rig.board(3, code);
        clickConnect(3);
        runTo(t);
        return b;
    }

    // Writes of the link and the identification push: polls and LED frames left out.
    std::vector<std::pair<double, std::string>> linkWrites() const {
        std::vector<std::pair<double, std::string>> out;
        for (const auto& wr : rig.rt.writes) {
            if (wr.bytes == "5/" || wr.bytes == "7/" || wr.bytes.rfind("1/", 0) == 0 ||
                wr.bytes.rfind("4/", 0) == 0)
                continue;
            out.emplace_back(wr.t - t0, wr.bytes);
        }
        return out;
    }
    // Time of the first write of `bytes` from `after` on, or -1.
    double firstWrite(const std::string& bytes, double after = 0) const {
        for (const auto& wr : rig.rt.writes)
            if (wr.bytes == bytes && wr.t - t0 >= after - 1e-9) return wr.t - t0;
        return -1;
    }
    size_t countWrites(const std::string& bytes) const {
        size_t n = 0;
        for (const auto& wr : rig.rt.writes) n += wr.bytes == bytes;
        return n;
    }
    bool portOpen() const { return w->Serialport.PortOpen(); }
    // The phase read from what the screen and the line show: the connect button's
    // caption, the port, the search window's header, the identification timer and status
    // cell 1, which turns "Connected" at the start of the post-identification push.
    ConnectionState state() {
        if (w->CMD_Verbind.Caption != "Disconnect") return ConnectionState::NotConnected;
        if (!portOpen()) return ConnectionState::Opening;
        if (prog().zoekenLoaded() && prog().zoeken().visible() &&
            prog().zoeken().Label_Kop.Caption == "Closing")
            return ConnectionState::Closing;
        if (w->Timer_CheckInterface.enabled()) return ConnectionState::Identifying;
        if (w->Label_StatusBalk(1).Caption == "Connected") return ConnectionState::Connected;
        return ConnectionState::Opening;
    }

    // The main window at rest after a connection ended.
    void expectDisconnectedScreen() {
        EXPECT_EQ(state(), ConnectionState::NotConnected);
        EXPECT_FALSE(portOpen());
        EXPECT_EQ(w->CMD_Verbind.Caption, "Connect");
        EXPECT_EQ(w->CMD_Verbind.Picture, pic("Img Verbroken.bmp"));
        EXPECT_TRUE(w->ComboBaudRate.Enabled);
        EXPECT_FALSE(w->TimerLeesIngangen.enabled());
        EXPECT_FALSE(w->Timer_CheckInterface.enabled());
        EXPECT_EQ(w->Label_StatusBalk(1).Caption, "Not connected");
        EXPECT_EQ(w->Label_StatusBalk(1).BackColor, kBad);
        EXPECT_EQ(w->Label_StatusBalk(10).BackColor, kButtonFace);
        EXPECT_EQ(w->IMG_Interface.Picture, pic("Img Arduino Nano Small.bmp"));
        if (prog().zoekenLoaded()) {
            EXPECT_FALSE(prog().zoeken().visible());
            EXPECT_FALSE(prog().zoeken().Timer_Zoeken.enabled());
        }
    }

    Rig rig;
    FormQuorvane* w = nullptr;
    double t0 = 0;
};

}  // namespace qv::test
