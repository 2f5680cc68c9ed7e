#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/program_arguments.h"
#include "program/strip_monitors.h"
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

// Each mode's rectangles on a 1920 x 1080 monitor with a 48-pixel taskbar:
// the row a reserving strip keeps lies inside the taskbar, the strip in it;
// against a hidden taskbar the last two pixels of its edge stay free.
TEST(StripPlaces, EachModeAgainstTheWorkArea) {
  struct Case {
    const char* what;
    TaskbarEdge edge;
    ScreenRect workArea;
    int sliver;  // a hidden taskbar's, else 0
    ScreenRect row, strip, workAreaLeft;
  } cases[] = {
      {"bottom",
       TaskbarEdge::Bottom,
       {0, 0, 1920, 1032},
       0,
       {0, 1002, 1920, 1032},
       {1620, 1002, 1920, 1032},
       {0, 0, 1920, 1002}},
      {"top",
       TaskbarEdge::Top,
       {0, 48, 1920, 1080},
       0,
       {0, 48, 1920, 78},
       {1620, 48, 1920, 78},
       {0, 78, 1920, 1080}},
      {"left",
       TaskbarEdge::Left,
       {48, 0, 1920, 1080},
       0,
       {48, 0, 348, 1080},
       {48, 1050, 348, 1080},
       {348, 0, 1920, 1080}},
      {"right",
       TaskbarEdge::Right,
       {0, 0, 1872, 1080},
       0,
       {1572, 0, 1872, 1080},
       {1572, 1050, 1872, 1080},
       {0, 0, 1572, 1080}},
      {"no taskbar",
       TaskbarEdge::None,
       kMonitor,
       0,
       {0, 1050, 1920, 1080},
       {1620, 1050, 1920, 1080},
       {0, 0, 1920, 1050}},
      {"hidden bottom",
       TaskbarEdge::Bottom,
       kMonitor,
       2,
       {0, 1048, 1920, 1078},
       {1620, 1048, 1920, 1078},
       {0, 0, 1920, 1048}},
      {"hidden left",
       TaskbarEdge::Left,
       kMonitor,
       2,
       {2, 0, 302, 1080},
       {2, 1050, 302, 1080},
       {302, 0, 1920, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenRect area = AwayFromHiddenTaskbar(c.workArea, c.edge, c.sliver);
    const bool vertical = c.edge == TaskbarEdge::Left || c.edge == TaskbarEdge::Right;
    const ScreenRect row = RowAlongEdge(c.edge, area, vertical ? 300 : 30);
    EXPECT_EQ(row, c.row);
    // Floating, hidden until called and reserving, the strip stands at the
    // same place; reserving, the rest of the screen is for the windows.
    EXPECT_EQ(DockedPlace(c.edge, area, 300, 30), c.strip);
    EXPECT_EQ(DockedPlace(c.edge, row, 300, 30), c.strip);
    EXPECT_EQ(WorkAreaWithoutRow(c.workArea, c.edge, row), c.workAreaLeft);
    // Kept, the row is the strip's own: the work area without it is whole.
    EXPECT_EQ(WorkAreaWithRow(c.workAreaLeft, c.edge, row),
              c.sliver == 0 ? c.workArea : AwayFromHiddenTaskbar(c.workArea, c.edge, c.sliver));
    EXPECT_EQ(WorkAreaWithRow(c.workArea, c.edge, row), c.workArea);
  }
}

// Every monitor of a desk, as the strip on each one is placed: the edge
// (the primary taskbar's report counts for its own monitor; another
// monitor's own taskbar shows in its work area; one without a taskbar takes
// the primary one's edge), the size at the monitor's DPI, the docked place
// and, keeping a row, the row along that edge.
TEST(StripPlaces, OnEachMonitorOfADesk) {
  const TaskbarReport bottom = {true, TaskbarEdge::Bottom, {0, 1032, 1920, 1080}};
  const TaskbarReport left = {true, TaskbarEdge::Left, {0, 0, 62, 1080}};
  struct Case {
    const char* what;
    TaskbarReport primary;
    ScreenRect monitor, workArea;
    int dpi;
    TaskbarEdge edge;
    ScreenRect strip, row;
  } cases[] = {
      {"primary, 100 %",
       bottom,
       kMonitor,
       {0, 0, 1920, 1032},
       96,
       TaskbarEdge::Bottom,
       {1620, 1002, 1920, 1032},
       {0, 1002, 1920, 1032}},
      {"right of it, 150 %, no taskbar",
       bottom,
       {1920, 0, 4480, 1440},
       {1920, 0, 4480, 1440},
       144,
       TaskbarEdge::Bottom,
       {4030, 1395, 4480, 1440},
       {1920, 1395, 4480, 1440}},
      {"right of it, its own taskbar",
       bottom,
       {1920, 0, 3840, 1080},
       {1920, 0, 3840, 1032},
       96,
       TaskbarEdge::Bottom,
       {3540, 1002, 3840, 1032},
       {1920, 1002, 3840, 1032}},
      {"left of it, 200 %, its own taskbar on top",
       bottom,
       {-3840, 0, 0, 2160},
       {-3840, 96, 0, 2160},
       192,
       TaskbarEdge::Top,
       {-600, 96, 0, 156},
       {-3840, 96, 0, 156}},
      {"below a primary with a left taskbar",
       left,
       {0, 1080, 1920, 2160},
       {0, 1080, 1920, 2160},
       120,
       TaskbarEdge::Left,
       {0, 2122, 375, 2160},
       {0, 1080, 375, 2160}},
  };
  for (const Case& c : cases) {
    const TaskbarEdge edge = FindTaskbarEdge(c.primary, c.monitor, c.workArea);
    EXPECT_EQ(edge, c.edge) << c.what;
    const StripSize size = StripSizeAt(c.dpi, 0);
    EXPECT_EQ(DockedPlace(edge, c.workArea, size.width, size.height), c.strip) << c.what;
    const bool vertical = edge == TaskbarEdge::Left || edge == TaskbarEdge::Right;
    EXPECT_EQ(RowAlongEdge(edge, c.workArea, vertical ? size.width : size.height), c.row) << c.what;
  }
  // A band that needs more height than the strip has at its DPI gets it.
  EXPECT_EQ(StripSizeAt(96, 36).height, 36);
  EXPECT_EQ(StripSizeAt(144, 36).height, 45);
}

// After monitors came, went or were rearranged, strips keep to the
// monitors of their names; one whose monitor is gone goes to a new monitor
// rather than a band being made anew; strips left over close.
TEST(MatchStripsToMonitors, KeepsMovesAddsAndCloses) {
  using Names = std::vector<std::wstring>;
  const struct {
    const char* what;
    Names strips, monitors;
    std::vector<int> placed;
  } cases[] = {
      {"first start", {}, {L"1", L"2"}, {kNewStrip, kNewStrip}},
      {"unchanged", {L"1", L"2"}, {L"1", L"2"}, {0, 1}},
      {"listed the other way", {L"1", L"2"}, {L"2", L"1"}, {1, 0}},
      {"one added", {L"1"}, {L"1", L"2"}, {0, kNewStrip}},
      {"one removed", {L"1", L"2"}, {L"1"}, {0}},
      {"renamed", {L"1", L"2"}, {L"1", L"3"}, {0, 1}},
      {"two gone, one new", {L"1", L"2", L"3"}, {L"4", L"2"}, {0, 1}},
      {"none left", {L"1"}, {}, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchStripsToMonitors(c.strips, c.monitors), c.placed) << c.what;
}

TEST(StripChoices, ReadTheirStoredTextsAndFallBackToTheDefaults) {
  EXPECT_EQ(StripModeFromText(u"reserve"), StripMode::Reserve);
  EXPECT_EQ(StripModeFromText(u"HIDDEN"), StripMode::Hidden);
  EXPECT_EQ(StripMonitorFromText(u"Pointer"), StripMonitor::Pointer);
  EXPECT_EQ(StripMonitorFromText(u"ALL"), StripMonitor::All);
  for (std::u16string_view unknown : {u"", u"floating", u"hidde", u"reserve "}) {
    EXPECT_EQ(StripModeFromText(unknown), StripMode::Float);
    EXPECT_EQ(StripMonitorFromText(unknown), StripMonitor::Primary);
  }
  for (StripMode mode : {StripMode::Float, StripMode::Reserve, StripMode::Hidden})
    EXPECT_EQ(StripModeFromText(StripModeText(mode)), mode);
  for (StripMonitor monitor : {StripMonitor::Primary, StripMonitor::Pointer, StripMonitor::All})
    EXPECT_EQ(StripMonitorFromText(StripMonitorText(monitor)), monitor);
}

TEST(CoversMonitor, OnlyAWindowOverTheWholeMonitor) {
  const ScreenRect second = {1920, 0, 3840, 1080};
  EXPECT_TRUE(CoversMonitor(kMonitor, kMonitor));
  EXPECT_TRUE(CoversMonitor({-8, -8, 1928, 1088}, kMonitor));  // with its frame outside
  EXPECT_FALSE(CoversMonitor({0, 0, 1920, 1032}, kMonitor));   // maximised
  // A film on the second monitor leaves the first one's strip in sight.
  EXPECT_FALSE(CoversMonitor(second, kMonitor));
  EXPECT_TRUE(CoversMonitor(second, second));
  EXPECT_FALSE(CoversMonitor(kMonitor, {0, 0, 0, 0}));
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
