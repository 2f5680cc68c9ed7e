#include "program/reserved_row.h"

#include <shellapi.h>

namespace corvane::program {

ScreenRect ReservedRow::Keep(HWND bar, HMONITOR monitor, const ScreenFacts& screen, int sliver,
                             int thickness) {
  const TaskbarEdge along = screen.edge == TaskbarEdge::None ? TaskbarEdge::Bottom : screen.edge;
  const ScreenRect others =
      edge == along ? WorkAreaWithRow(screen.workArea, along, row) : screen.workArea;
  APPBARDATA data = {};
  data.cbSize = sizeof data;
  data.hWnd = bar;
  data.uEdge = AppBarEdge(along);
  data.rc = ToRect(RowAlongEdge(along, AwayFromHiddenTaskbar(others, along, sliver), thickness));
  SHAppBarMessage(ABM_QUERYPOS, &data);
  const ScreenRect wanted = RowAlongEdge(along, FromRect(data.rc), thickness);
  if (edge != along || !(wanted == row)) {
    data.rc = ToRect(wanted);
    SHAppBarMessage(ABM_SETPOS, &data);
    row = wanted;
    edge = along;
  }
  const ScreenRect current = FactsOf(monitor).workArea;
  const ScreenRect without = WorkAreaWithoutRow(current, along, row);
  if (!(without == current) && SetWorkArea(without)) setWorkArea = true;
  return row;
}

bool ReservedRow::GiveUp(HMONITOR monitor) {
  if (edge == TaskbarEdge::None) return false;
  if (setWorkArea) {
    const ScreenRect current = FactsOf(monitor).workArea;
    const ScreenRect whole = WorkAreaWithRow(current, edge, row);
    if (!(whole == current)) SetWorkArea(whole);
    setWorkArea = false;
  }
  edge = TaskbarEdge::None;
  row = {};
  return true;
}

}  // namespace corvane::program
