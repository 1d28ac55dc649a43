// The COM name space: which device path COMn stands for.
//
// A per-user folder of links wins: a link named "COMn" in
// $XDG_CONFIG_HOME/<executable name>/ports/ (default ~/.config/...) points at the
// device. Without one, a fixed table applies, with USB serial devices inside COM1 to
// COM16 so that "Find Com" sees them:
//   COM1-COM4     /dev/ttyS0-ttyS3
//   COM5-COM12    /dev/ttyUSB0-ttyUSB7
//   COM13-COM16   /dev/ttyACM0-ttyACM3
//   COM17-COM44   /dev/ttyS4-ttyS31
//   COM45-COM150  /dev/ttyUSB8-ttyUSB113
//   COM151-COM255 /dev/ttyACM4-ttyACM108
#pragma once

#include <string>

#include "platform/result.h"

namespace qv {

// The device of COMn by the fixed table; empty outside 1..255.
std::string comTableDevice(int n);

// The links folder for an executable: $XDG_CONFIG_HOME (or $HOME/.config) /<exe>/ports.
std::string comLinksFolder(const std::string& exeName);

// The path to open for COMn: the link in `linksFolder` when there is one, else the
// table's device; a failure with the device gone when neither names one.
Result<std::string> comDevicePath(int n, const std::string& linksFolder);

// Opens the device non-blocking, without becoming its controlling terminal, and closes
// it at once. True only for a character device that could be opened.
bool deviceOpens(const std::string& path);

}  // namespace qv
