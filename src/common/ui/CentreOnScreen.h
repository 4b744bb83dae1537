#pragma once
// The message boxes, the About box and the edit dialogs open in the middle of
// the screen, not over the window that opens them.

class QWidget;

namespace zel::ui {

// Moves the window so that its frame is centred on the available area of the
// screen of the window it opens over (its own screen when it has none). Call
// it once the window has its size.
void CentreOnScreen(QWidget& window);

}  // namespace zel::ui
