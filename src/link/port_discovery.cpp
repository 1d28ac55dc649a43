#include "link/port_discovery.h"

#include <string>

namespace qv {

namespace {

constexpr int kStartupLastPort = 255;
constexpr int kFindComLastPort = 16;
constexpr const char* kNoPortText = "Not found";

std::string entryText(int16_t port) { return "Com " + std::to_string(port); }

}  // namespace

bool ComPortExists(Runtime& rt, int16_t port) { return rt.comPortExists(port); }

void PortDiscovery::probeLoop(int lastPort) {
    int16_t& probe = prog.nano.ProbePort;
    probe = 1;
    while (probe <= lastPort) {
        if (ComPortExists(prog.rt, probe)) {
            w.ComboPoorten.Text = entryText(probe);
            w.ComboPoorten.AddItem(w.ComboPoorten.Text);
            ++prog.mod.ComPortCount;
        }
        ++probe;
    }
    w.Label_StatusBalk(3).Caption = std::to_string(prog.mod.ComPortCount);
}

void PortDiscovery::startupProbe() {
    w.ComboPoorten.Clear();
    w.ComboPoorten.Text = kNoPortText;
    probeLoop(kStartupLastPort);
}

void PortDiscovery::fillBaudList() {
    for (const char* rate : {"9600", "14400", "19200", "38400", "57600", "115200", "128000"})
        w.ComboBaudRate.AddItem(rate);
}

void PortDiscovery::CMD_ZoekPoorten_Click() {
    if (w.Serialport.PortOpen()) {
        prog.rt.msgBox("Please first click Disconnect!", MsgCritical, "Connected at this moment.");
        return;
    }
    w.ComboPoorten.Clear();
    w.ComboPoorten.Text = kNoPortText;
    prog.mod.ComPortCount = 0;
    probeLoop(kFindComLastPort);
}

}  // namespace qv
