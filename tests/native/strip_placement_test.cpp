#include <gtest/gtest.h>

#include <vector>

#include "program/program_arguments.h"
#include "program/strip_placement.h"

namespace corvane {

std::ostream& operator<<(std::ostream& out, const ScreenRect& r) {
  return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace program {

namespace {

constexpr ScreenRect kMonitor = {0, 0, 1920, 1080};

TEST(FindTaskbarEdge, TrustsTheShellOnlyWhereItsTaskbarLeavesTheWorkArea) {
  const TaskbarReport silent = {false, TaskbarEdge::None, {}};
  struct Case {
    const char* what;
    TaskbarReport report;
    ScreenRect workArea;
    TaskbarEdge expected;
  } cases[] = {
      {"shell, bottom",
       {true, TaskbarEdge::Bottom, {0, 1032, 1920, 1080}},
       {0, 0, 1920, 1032},
       TaskbarEdge::Bottom},
      {"shell, left",
       {true, TaskbarEdge::Left, {0, 0, 62, 1080}},
       {62, 0, 1920, 1080},
       TaskbarEdge::Left},
      // A shell that names an edge the work area contradicts.
      {"stale answer",
       {true, TaskbarEdge::Bottom, {0, 1079, 1920, 1080}},
       {0, 40, 1920, 1080},
       TaskbarEdge::Top},
      {"no answer, right", silent, {0, 0, 1858, 1080}, TaskbarEdge::Right},
      {"no answer, top", silent, {0, 48, 1920, 1080}, TaskbarEdge::Top},
      // An auto-hidden taskbar leaves the work area whole.
      {"hiding, top", {true, TaskbarEdge::Top, {0, 0, 1920, 48}}, kMonitor, TaskbarEdge::Top},
      {"no taskbar", silent, kMonitor, TaskbarEdge::None},
      {"empty answer", {true, TaskbarEdge::Bottom, {0, 0, 0, 0}}, kMonitor, TaskbarEdge::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindTaskbarEdge(c.report, kMonitor, c.workArea), c.expected) << c.what;
}

TEST(DockedPlace, SitsAgainstTheTaskbarAtTheNotificationAreasEnd) {
  const ScreenRect work = {100, 50, 1800, 1000};
  struct Case {
    TaskbarEdge edge;
    ScreenRect expected;
  } cases[] = {
      {TaskbarEdge::Bottom, {1500, 970, 1800, 1000}}, {TaskbarEdge::None, {1500, 970, 1800, 1000}},
      {TaskbarEdge::Top, {1500, 50, 1800, 80}},       {TaskbarEdge::Left, {100, 970, 400, 1000}},
      {TaskbarEdge::Right, {1500, 970, 1800, 1000}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DockedPlace(c.edge, work, 300, 30), c.expected) << static_cast<int>(c.edge);
  // A strip wider than a small work area keeps its start inside.
  EXPECT_EQ(DockedPlace(TaskbarEdge::Bottom, {0, 0, 200, 100}, 300, 30),
            (ScreenRect{0, 70, 300, 100}));
}

TEST(KeptInside, MovesTheLeastDistanceBackOnScreen) {
  const ScreenRect area = {-1280, 0, 1024, 728};  // a second screen on the left
  struct Case {
    ScreenRect rect, expected;
  } cases[] = {
      {{10, 10, 310, 40}, {10, 10, 310, 40}},            // inside: kept
      {{900, 700, 1200, 730}, {724, 698, 1024, 728}},    // past the corner
      {{-2000, -50, -1700, -20}, {-1280, 0, -980, 30}},  // beyond the left screen
      {{5000, 300, 5300, 330}, {724, 300, 1024, 330}},   // a screen now gone
      {{0, 0, 4000, 2000}, {-1280, 0, 2720, 2000}},      // larger than the area
  };
  for (const Case& c : cases) EXPECT_EQ(KeptInside(c.rect, area), c.expected) << c.rect;
}

TEST(ParseProgramArguments, KnowsOnlyTheStartupAndAutostartSwitches) {
  struct Case {
    std::vector<const char16_t*> arguments;
    ProgramAction expected;
  } cases[] = {
      {{}, ProgramAction::ShowBand},
      {{u"--settings"}, ProgramAction::Settings},
      {{u"--autostart", u"on"}, ProgramAction::AutostartOn},
      {{u"--AutoStart", u"OFF"}, ProgramAction::AutostartOff},
      {{u"--autostart"}, ProgramAction::Unknown},
      {{u"--autostart", u"maybe"}, ProgramAction::Unknown},
      {{u"--autostart", u"on", u"x"}, ProgramAction::Unknown},
      {{u"/autostart", u"on"}, ProgramAction::Unknown},
      {{u"--STARTUP"}, ProgramAction::StartWithWindows},
      {{u"--startup", u"on"}, ProgramAction::Unknown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseProgramArguments(static_cast<int>(c.arguments.size()), c.arguments.data()),
              c.expected)
        << c.arguments.size();
}

}  // namespace
}  // namespace program
}  // namespace corvane
