// A main window that looks connected to a board on COM3, for tests of the polling tick,
// the receive handler and the input panels. The state the connection sequence would
// leave is set directly, so these tests do not depend on it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/rig.h"

namespace qv::test {

class ConnectedBoard : public ::testing::Test {
protected:
    void SetUp() override {
        rig.writeStandardSettings();
        w = &rig.start();
        auto& s = prog().mod.settings;
        s.InputBinaryColor = kGood;
        s.InputDisabledColor = kBad;
        s.BinaryToggleValue = 512;
        w->AnalogBarWidth = 1440;
        prog().nano.PushButtonKind = 2;
        prog().nano.InterfaceKind = InterfaceAdaFruit;
        board = &rig.board(3, "AT");
        w->Serialport.CommPort = 3;
        ASSERT_TRUE(w->Serialport.openPort());
        setSound(true, 1);
    }

    Program& prog() { return *rig.prog; }

    void setSound(bool optionOn, int devices) {
        rig.rt.audioOutputs = devices;
        prog().mod.WaveDeviceCount = devices;
        w->OptionGeluid(optionOn ? 1 : 0).select();
    }

    // The board sends `text`; it arrives as one receive event.
    void receive(const std::string& text) {
        rig.rt.lastConnection->arrive(text);
        rig.rt.runFor(0.001);
    }

    // Names of the sounds played so far, in order.
    std::vector<std::string> sounds() const {
        std::vector<std::string> names;
        for (const auto& s : rig.rt.sounds)
            if (!s.path.empty()) names.push_back(s.path.substr(s.path.rfind('/') + 1));
        return names;
    }

    std::string pic(const std::string& name) { return prog().picture(name); }

    Rig rig;
    FormQuorvane* w = nullptr;
    sim::SketchBoard* board = nullptr;
};

}  // namespace qv::test
