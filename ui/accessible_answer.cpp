#include "ui/accessible_answer.h"

#include <oleacc.h>

#include "support/system_library.h"
#include "support/ui_module.h"

namespace corvane {

bool AnswerWithParts(HWND window, WPARAM flags, LPARAM objectId, const AccessibleParts* parts,
                     LRESULT* answer) {
  if (static_cast<LONG>(objectId) != OBJID_CLIENT) return false;
  AnswerAccessibleObjectFunction answerObject;
  return FindFunction(UiModule(), kAnswerAccessibleObjectExport, &answerObject) &&
         answerObject(window, flags, objectId, parts, answer);
}

}  // namespace corvane
