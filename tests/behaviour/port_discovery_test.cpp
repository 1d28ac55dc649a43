// Port discovery: the start-up probe over COM1..COM255, "Find Com" over COM1..COM16,
// the list, its text and the count in status cell 3.
#include "link/port_discovery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/rig.h"

namespace qv::test {
namespace {

using Items = std::vector<std::string>;

class PortDiscovery : public ::testing::Test {
protected:
    FormQuorvane& start(std::initializer_list<int> ports) {
        rig.rt.existingPorts.insert(ports.begin(), ports.end());
        rig.writeStandardSettings();
        return rig.start();
    }
    Rig rig;
};

TEST_F(PortDiscovery, StartupListsPortsInAscendingOrderAndShowsTheHighest) {
    FormQuorvane& w = start({12, 3});
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 3", "Com 12"}));
    EXPECT_EQ(w.ComboPoorten.Text, "Com 12");
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "2");
    EXPECT_EQ(rig.prog->mod.ComPortCount, 2);
    EXPECT_EQ(rig.prog->nano.ProbePort, 256);
}

TEST_F(PortDiscovery, StartupProbesUpToPort255Only) {
    FormQuorvane& w = start({1, 255, 256});
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 1", "Com 255"}));
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "2");
}

TEST_F(PortDiscovery, StartupWithoutPortsShowsNotFoundAndZero) {
    FormQuorvane& w = start({});
    EXPECT_TRUE(w.ComboPoorten.items.empty());
    EXPECT_EQ(w.ComboPoorten.Text, "Not found");
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "0");
    EXPECT_TRUE(rig.rt.messages.empty()) << "no port is not reported at start-up";
}

TEST_F(PortDiscovery, StartupFillsTheBaudListAndKeepsItsDesignText) {
    FormQuorvane& w = start({});
    EXPECT_EQ(w.ComboBaudRate.items, (Items{"9600", "14400", "19200", "38400", "57600", "115200", "128000"}));
    EXPECT_EQ(w.ComboBaudRate.Text, "Baud Rate");
}

TEST_F(PortDiscovery, FindComSearchesOnlyUpToPort16) {
    FormQuorvane& w = start({3, 16, 17, 20});
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 3", "Com 16", "Com 17", "Com 20"}));
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "4");

    rig.rt.click(w.CMD_ZoekPoorten);
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 3", "Com 16"}));
    EXPECT_EQ(w.ComboPoorten.Text, "Com 16");
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "2");
    EXPECT_EQ(rig.prog->mod.ComPortCount, 2);
    EXPECT_EQ(rig.prog->nano.ProbePort, 17);
    EXPECT_EQ(w.ComboBaudRate.ListCount(), 7) << "the baud list is not filled again";
}

TEST_F(PortDiscovery, FindComTwiceGivesTheSameList) {
    FormQuorvane& w = start({5, 9});
    rig.rt.click(w.CMD_ZoekPoorten);
    rig.rt.click(w.CMD_ZoekPoorten);
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 5", "Com 9"}));
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "2");
}

TEST_F(PortDiscovery, FindComFollowsPortsThatCameAndWent) {
    FormQuorvane& w = start({4});
    rig.rt.existingPorts = {7};
    rig.rt.click(w.CMD_ZoekPoorten);
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 7"}));
    EXPECT_EQ(w.ComboPoorten.Text, "Com 7");

    rig.rt.existingPorts.clear();
    w.ComboPoorten.Text = "Com 9";  // typed over by the user
    rig.rt.click(w.CMD_ZoekPoorten);
    EXPECT_TRUE(w.ComboPoorten.items.empty());
    EXPECT_EQ(w.ComboPoorten.Text, "Not found");
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "0");
}

TEST_F(PortDiscovery, FindComWhileThePortIsOpenIsRefusedAndChangesNothing) {
    FormQuorvane& w = start({3, 12});
    rig.board(3, "AT");
    rig.rt.existingPorts.insert(5);  // would be found by a search
    w.Serialport.CommPort = 3;
    ASSERT_TRUE(w.Serialport.openPort());
    const size_t writesBefore = rig.rt.writes.size();

    rig.rt.click(w.CMD_ZoekPoorten);
    ASSERT_FALSE(rig.rt.messages.empty());
    const sim::ShownMessage& m = rig.rt.messages.back();
    EXPECT_EQ(m.text, "Please first click Disconnect!");
    EXPECT_EQ(m.title, "Connected at this moment.");
    EXPECT_EQ(m.style, MsgCritical);
    EXPECT_EQ(w.ComboPoorten.items, (Items{"Com 3", "Com 12"}));
    EXPECT_EQ(w.ComboPoorten.Text, "Com 12");
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, "2");
    EXPECT_EQ(rig.prog->mod.ComPortCount, 2);
    EXPECT_TRUE(w.Serialport.PortOpen());
    EXPECT_EQ(rig.rt.writes.size(), writesBefore);
}

TEST_F(PortDiscovery, ComPortExistsKeepsNothingOpenAndLeavesThePortNumber) {
    rig.rt.existingPorts = {3};
    int16_t port = 3;
    EXPECT_TRUE(ComPortExists(rig.rt, port));
    EXPECT_TRUE(ComPortExists(rig.rt, port));
    EXPECT_EQ(port, 3);
    int16_t missing = 4;
    EXPECT_FALSE(ComPortExists(rig.rt, missing));
    EXPECT_EQ(missing, 4);
}

}  // namespace
}  // namespace qv::test
