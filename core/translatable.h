// Marks a fixed text of the program for the translation template (lupdate finds the marker).
// The text itself is unchanged, so the headless commands print it as it stands; the window
// translates it where it shows it, in the context "Paginor" (app::shownText).
#pragma once

// The same definition as Qt's, so a file may include both in either order.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
