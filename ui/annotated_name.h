// The name of a standard control, given the way the platform documents for
// such controls: an annotation of the window that the accessibility library
// adds to the object the system makes for it. The control keeps that object
// and all it does (an edit's reading by character and word, its caret).
#pragma once
#include <windows.h>

namespace corvane {

// Names the object of `window`'s client area. False where the system cannot
// annotate (no accessibility library, no COM on the thread, or, as under
// Wine, no annotation at all): the window then answers with its own object.
bool AnnotateName(HWND window, const wchar_t* name);

// Takes the annotation back before the window goes.
void ForgetAnnotatedName(HWND window);

}  // namespace corvane
