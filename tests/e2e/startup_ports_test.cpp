// The port list of the real program, filled from the COM name space at start-up and again
// by "Find Com", with emulated boards linked in as COM ports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "program_harness.h"

namespace qv::e2e {
namespace {

// Where `entry` stands in `list`, or -1.
long positionOf(const std::vector<std::string>& list, const std::string& entry) {
    const auto it = std::find(list.begin(), list.end(), entry);
    return it == list.end() ? -1 : it - list.begin();
}

// The machine may have serial devices of its own; the list must hold ours in ascending
// order, and the count and text must describe the whole list.
void expectConsistentList(ProgramRun& run, const std::vector<std::string>& entries) {
    FormQuorvane& w = run.w();
    EXPECT_EQ(w.ComboPoorten.items, entries) << "the widget shows the list the window holds";
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(w.Label_StatusBalk(3).Caption, std::to_string(entries.size()));
    EXPECT_EQ(w.ComboPoorten.Text, entries.back());
    EXPECT_EQ(run.prog().mod.ComPortCount, static_cast<int>(entries.size()));
}

TEST(ProgramPorts, StartupListsLinkedBoardsInOrderAndFindComDropsThoseAbove16) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    Emulator com3(scene.config(), 3, {"--kind", "AT"});
    Emulator com12(scene.config(), 12, {"--kind", "ET"});
    Emulator com20(scene.config(), 20, {"--kind", "TM"});
    ProgramRun run(scene.home());
    run.start();
    run.runFor(0.2);

    const std::vector<std::string> atStart = run.portEntries();
    const long p3 = positionOf(atStart, "Com 3"), p12 = positionOf(atStart, "Com 12"),
               p20 = positionOf(atStart, "Com 20");
    ASSERT_GE(p3, 0);
    EXPECT_LT(p3, p12);
    EXPECT_LT(p12, p20);
    expectConsistentList(run, atStart);
    EXPECT_TRUE(run.messages().empty());

    run.click("CMD_ZoekPoorten");
    run.runFor(0.2);
    const std::vector<std::string> afterFind = run.portEntries();
    EXPECT_EQ(positionOf(afterFind, "Com 20"), -1) << "Find Com searches COM1 to COM16 only";
    ASSERT_GE(positionOf(afterFind, "Com 3"), 0);
    EXPECT_LT(positionOf(afterFind, "Com 3"), positionOf(afterFind, "Com 12"));
    expectConsistentList(run, afterFind);
    std::vector<std::string> upTo16;
    std::copy_if(atStart.begin(), atStart.end(), std::back_inserter(upTo16),
                 [](const std::string& e) { return std::atoi(e.c_str() + 4) <= 16; });
    EXPECT_EQ(afterFind, upTo16);

    // A second search lists nothing twice.
    run.click("CMD_ZoekPoorten");
    run.runFor(0.2);
    EXPECT_EQ(run.portEntries(), afterFind);
    EXPECT_TRUE(run.messages().empty());
}

}  // namespace
}  // namespace qv::e2e
