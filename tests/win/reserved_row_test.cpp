// The strip's own row of the work area, against a shell of the test's and
// the work area of this process (Wine keeps one per process).
#include "program/reserved_row.h"

#include <gtest/gtest.h>

#include "program/program_settings.h"
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

// Where the strip takes the row out of the work area itself, it remembers
// so until it gives the row back; a strip that ended without giving it back
// (a crash) has it given back by the next one, once.
TEST_F(ReservedRowTest, ARowLeftTakenIsGivenBackAtTheNextStart) {
  TakenRow taken = {};
  {
    ReservedRow row(AgreeingShell);
    ScreenFacts screen = {kScreen, kScreen, TaskbarEdge::Bottom, false};
    row.Keep(nullptr, PrimaryMonitor(), screen, 0, 30);
    ASSERT_TRUE(ReadTakenRow(&taken));
    EXPECT_EQ(taken.edge, TaskbarEdge::Bottom);
    EXPECT_TRUE(taken.row == kRow);
    row.GiveUp();
    EXPECT_FALSE(ReadTakenRow(&taken));
  }
  // The strip that took it ended with the work area short.
  SetWorkArea({0, 0, 1024, 738});
  ASSERT_EQ(RememberTakenRow({TaskbarEdge::Bottom, kRow}), S_OK);
  ReservedRow::GiveBackLeftOver();
  EXPECT_TRUE(WorkArea() == kScreen);
  EXPECT_FALSE(ReadTakenRow(&taken));
  // A work area that no longer ends at the row is left alone.
  SetWorkArea({0, 0, 1024, 700});
  ASSERT_EQ(RememberTakenRow({TaskbarEdge::Bottom, kRow}), S_OK);
  ReservedRow::GiveBackLeftOver();
  EXPECT_TRUE(WorkArea() == (ScreenRect{0, 0, 1024, 700}));
}

}  // namespace
}  // namespace corvane::program
