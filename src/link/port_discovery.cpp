#include "link/port_discovery.h"

#include "panel/form_quorvane.h"
#include "platform/numbers.h"

namespace qv {

namespace {

constexpr int kStartupLastPort = 255;
constexpr int kFindComLastPort = 16;
constexpr const char* kNoPortText = "Not found";

std::string entryText(int16_t port) { return "Com " + std::to_string(port); }

}  // namespace

bool ComPortExists(Runtime& rt, int16_t& port) { return rt.comPortExists(port); }

int16_t portNumberOfListText(const std::string& text) {
    // The number sits in characters 4 to 7 ("Com 12"): a typed "COM5" still names 5,
    // a bare "5" names nothing.
    const auto n = toInt16(decimalField(midCharacters(text, 3, 4)));
    // A negative number or one beyond 16 bits names no port; 0 lets "Connect" refuse
    // with its own message instead of opening a nonsense port.
    if (!n || *n < 0) return 0;
    return *n;
}

void FormQuorvane::probeLoop(int lastPort) {
    int16_t& probe = prog.nano.ProbePort;
    probe = 1;
    while (probe <= lastPort) {
        if (ComPortExists(prog.rt, probe)) {
            ComboPoorten.Text = entryText(probe);
            ComboPoorten.AddItem(ComboPoorten.Text);
            ++prog.mod.ComPortCount;
        }
        ++probe;
    }
    Label_StatusBalk(3).Caption = std::to_string(prog.mod.ComPortCount);
}

void FormQuorvane::startupProbe() {
    ComboPoorten.Clear();
    ComboPoorten.Text = kNoPortText;
    probeLoop(kStartupLastPort);
}

void FormQuorvane::fillBaudList() {
    for (const char* rate : {"9600", "14400", "19200", "38400", "57600", "115200", "128000"})
        ComboBaudRate.AddItem(rate);
}

void FormQuorvane::CMD_ZoekPoorten_Click() {
    if (Serialport.PortOpen()) {
        prog.rt.msgBox("Please first click Disconnect!", MsgCritical, "Connected at this moment.");
        return;
    }
    ComboPoorten.Clear();
    ComboPoorten.Text = kNoPortText;
    prog.mod.ComPortCount = 0;
    probeLoop(kFindComLastPort);
}

}  // namespace qv
