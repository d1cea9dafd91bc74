// The shell request made through the desktop: the user's web browser opens the address.
#include "browse/desktop_shell.h"

#include <QDesktopServices>

namespace bearing {

void DesktopShell::open(const QUrl& address) {
    // A request that fails (no browser to hand) is deliberately not reported.
    static_cast<void>(QDesktopServices::openUrl(address));
}

} // namespace bearing
