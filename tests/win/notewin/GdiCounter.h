// Counts the GDI objects this program's own code creates and deletes, by
// redirecting its imports of the creating and deleting functions of gdi32.
// Objects the system makes for itself (a dialog's font, for example) are
// not seen; GetGuiResources counts those where it reports.
#pragma once

#include <windows.h>

namespace GdiCounter {
// Installs the redirection once; false when the imports could not be found.
bool Install();
// Objects created through the redirected imports and not yet deleted.
int Live();
// Objects created through them since Install().
long Created();
}  // namespace GdiCounter
