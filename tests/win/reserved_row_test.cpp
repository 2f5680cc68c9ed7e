// The strip's own row of the work area, against a shell of the test's and
// the work area of this process (Wine keeps one per process).
#include "program/reserved_row.h"

#include <gtest/gtest.h>

#include "program/program_settings.h"
#include "res/product.h"
#include "tests/support/win/test_support.h"

namespace corvane::program {
namespace {

ScreenRect WorkArea() {
  RECT area = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return FromRect(area);
}

const ScreenRect kScreen = {0, 0, 1024, 768};
const ScreenRect kRow = {0, 738, 1024, 768};  // 30 high along the bottom

// A shell that tells the bars that positions changed while it sets one's
// position, as a shell may: the strip asks for its row again meanwhile.
struct AnsweringShell {
  static inline ReservedRow* row = nullptr;
  static inline int setPositions = 0;
  static inline ScreenRect askedMeanwhile = {};
  static UINT_PTR WINAPI Call(DWORD message, APPBARDATA* data) {
    if (message == ABM_SETPOS && ++setPositions == 1)
      askedMeanwhile = row->Keep(data->hWnd, PrimaryMonitor(), FactsOf(PrimaryMonitor()), 0, 30);
    return 1;
  }
};

// A shell that takes every row as asked.
UINT_PTR WINAPI AgreeingShell(DWORD, APPBARDATA*) { return 1; }

class ReservedRowTest : public ::testing::Test {
 protected:
  void SetUp() override { SetWorkArea(kScreen); }
  void TearDown() override { SetWorkArea(kScreen); }
  test::ScratchRegistryRoot user{HKEY_CURRENT_USER};
};

TEST_F(ReservedRowTest, OneRowWhenTheShellAnswersWhileSettingIt) {
  ReservedRow row(AnsweringShell::Call);
  AnsweringShell::row = &row;
  ScreenFacts screen = {kScreen, kScreen, TaskbarEdge::Bottom, false};
  const ScreenRect kept = row.Keep(nullptr, PrimaryMonitor(), screen, 0, 30);
  EXPECT_EQ(AnsweringShell::setPositions, 1);
  EXPECT_TRUE(kept == kRow);
  EXPECT_TRUE(AnsweringShell::askedMeanwhile == kRow);
  EXPECT_TRUE(WorkArea() == (ScreenRect{0, 0, 1024, 738}));
  EXPECT_TRUE(row.GiveUp());
  EXPECT_TRUE(WorkArea() == kScreen);
}

// Where a strip takes its row out of the work area itself, it remembers so
// for its monitor until it gives the row back; rows left taken by a program
// that ended without giving them back (a crash), one per monitor, are given
// back by the next one, once. The row an earlier version remembered under
// the session's name alone goes back too.
TEST_F(ReservedRowTest, RowsLeftTakenAreGivenBackAtTheNextStart) {
  {
    ReservedRow row(AgreeingShell);
    ScreenFacts screen = {kScreen, kScreen, TaskbarEdge::Bottom, false};
    row.Keep(nullptr, PrimaryMonitor(), screen, 0, 30);
    const std::vector<TakenRow> taken = ReadTakenRows();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].edge, TaskbarEdge::Bottom);
    EXPECT_TRUE(taken[0].row == kRow);
    row.GiveUp();
    EXPECT_TRUE(ReadTakenRows().empty());
  }
  // The program ended with the work area short, rows remembered for two
  // monitors (the other one's work area is not this test's to set) and an
  // earlier version's.
  SetWorkArea({0, 0, 1024, 738});
  ASSERT_EQ(RememberTakenRow(DeviceNameOf(PrimaryMonitor()), {TaskbarEdge::Bottom, kRow}), S_OK);
  ASSERT_EQ(RememberTakenRow(L"\\\\.\\DISPLAY9", {TaskbarEdge::Left, {2000, 0, 2300, 768}}), S_OK);
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  const LONG earlier[] = {static_cast<LONG>(TaskbarEdge::Bottom), 0, 738, 1024, 768};
  test::SetRegistryValue(HKEY_CURRENT_USER, kTakenRowKey, std::to_wstring(session).c_str(),
                         REG_BINARY, earlier, sizeof earlier);
  EXPECT_EQ(ReadTakenRows().size(), 3u);
  ReservedRow::GiveBackLeftOver();
  EXPECT_TRUE(WorkArea() == kScreen);
  EXPECT_TRUE(ReadTakenRows().empty());
  // A work area that no longer ends at the row is left alone.
  SetWorkArea({0, 0, 1024, 700});
  ASSERT_EQ(RememberTakenRow(DeviceNameOf(PrimaryMonitor()), {TaskbarEdge::Bottom, kRow}), S_OK);
  ReservedRow::GiveBackLeftOver();
  EXPECT_TRUE(WorkArea() == (ScreenRect{0, 0, 1024, 700}));
}

}  // namespace
}  // namespace corvane::program
