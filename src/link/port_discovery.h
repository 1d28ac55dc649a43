// COM port discovery: the start-up probe of every port, "Find Com", and the baud list.
#pragma once

#include <cstdint>

#include "platform/runtime.h"
#include "windows/program_part.h"

namespace qv {

// True when the device of COM<port> can be opened; nothing is kept open.
bool ComPortExists(Runtime& rt, int16_t port);

class PortDiscovery : public ProgramPart {
public:
    explicit PortDiscovery(Program& p) : ProgramPart(p) {}

    // Start-up probe of COM1..COM255 and the baud list.
    void startupProbe();
    void fillBaudList();
    void CMD_ZoekPoorten_Click();

private:
    void probeLoop(int lastPort);
};

}  // namespace qv
