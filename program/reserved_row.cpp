#include "program/reserved_row.h"

#include "program/program_settings.h"
#include "support/hresult.h"

namespace corvane::program {

namespace {

// The work area with the row given back, where it still ends at the row.
void GiveBackRow(TaskbarEdge edge, const ScreenRect& row) {
  const ScreenRect current = FactsOf(MonitorNearest(row)).workArea;
  const ScreenRect whole = WorkAreaWithRow(current, edge, row);
  if (!(whole == current)) SetWorkArea(whole);
}

}  // namespace

void ReservedRow::GiveBackLeftOver() {
  const std::vector<TakenRow> rows = ReadTakenRows();
  if (rows.empty()) return;
  for (const TakenRow& taken : rows) GiveBackRow(taken.edge, taken.row);
  // Unforgotten, they are given back once more at the next start, where the
  // work area still ends at a row.
  TRACE_IF_FAILED(ForgetTakenRows());
}

ScreenRect ReservedRow::Keep(HWND bar, HMONITOR monitor, const ScreenFacts& screen, int sliver,
                             int thickness) {
  if (settingRow) return row;
  const TaskbarEdge along = screen.edge == TaskbarEdge::None ? TaskbarEdge::Bottom : screen.edge;
  const ScreenRect others =
      edge == along ? WorkAreaWithRow(screen.workArea, along, row) : screen.workArea;
  APPBARDATA data = {};
  data.cbSize = sizeof data;
  data.hWnd = bar;
  data.uEdge = AppBarEdge(along);
  data.rc = ToRect(RowAlongEdge(along, AwayFromHiddenTaskbar(others, along, sliver), thickness));
  shell(ABM_QUERYPOS, &data);
  const ScreenRect wanted = RowAlongEdge(along, FromRect(data.rc), thickness);
  if (edge != along || !(wanted == row)) {
    // The row is the strip's from here on, also to the strip asking again
    // while the shell sets it.
    row = wanted;
    edge = along;
    data.rc = ToRect(wanted);
    settingRow = true;
    shell(ABM_SETPOS, &data);
    settingRow = false;
  }
  const ScreenRect current = FactsOf(monitor).workArea;
  const ScreenRect without = WorkAreaWithoutRow(current, along, row);
  if (!(without == current) && SetWorkArea(without)) {
    setWorkArea = true;
    // Unremembered, a crash leaves the work area short until sign-out.
    rememberedAs = DeviceNameOf(monitor);
    TRACE_IF_FAILED(RememberTakenRow(rememberedAs, {along, row}));
  }
  return row;
}

bool ReservedRow::GiveUp() {
  if (edge == TaskbarEdge::None) return false;
  if (setWorkArea) {
    GiveBackRow(edge, row);
    TRACE_IF_FAILED(ForgetTakenRow(rememberedAs));
    setWorkArea = false;
  }
  edge = TaskbarEdge::None;
  row = {};
  return true;
}

}  // namespace corvane::program
