// Connecting to and disconnecting from the board, and the screen a connection leaves
// when it ends.
#pragma once

#include <string>

#include "windows/program_part.h"

namespace qv {

class Connection : public ProgramPart {
public:
    explicit Connection(Program& p) : ProgramPart(p) {}

    void CMD_Verbind_Click();
    void ComboBaudRate_Click();
    // The serial device vanished while the port was open.
    void Serialport_Lost(const std::string& reason);
    // A write to the port failed with the device still there.
    void Serialport_Failed(const std::string& reason);

    // The screen as a disconnect leaves it: port closed and polling off, the connect
    // button and status cells back to "not connected", the input panels emptied and
    // showing their push-button pictures, the small board picture, the baud list usable
    // again and the search window stopped and hidden.
    void showDisconnectedScreen();
    // Its first part, shared with a failed identification: caption and picture of the
    // connect button, port closed, polling off, status cells 1 and 10.
    void showPortClosed();

private:
    void connectSequence();
    void disconnectSequence();
    // The port closed under the connection: the disconnected screen and `message`.
    void portEnded(const std::string& message);
};

}  // namespace qv
