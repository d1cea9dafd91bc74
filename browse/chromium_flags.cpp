// The switches the embedded browser engine needs to start on any machine this program runs on.
#include "browse/chromium_flags.h"

#include <QStringList>

#include <unistd.h>

namespace bearing {

namespace {

constexpr const char* kVariable = "QTWEBENGINE_CHROMIUM_FLAGS";

// No GPU is assumed: the news page needs none, and a missing or broken GPU must not take the
// window down. The rest keep the engine from calling services other than the vendor's page.
const QStringList kAlways{
    "--disable-gpu",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-domain-reliability",
    "--disable-client-side-phishing-detection",
    "--disable-breakpad",
    "--no-pings",
    "--dns-prefetch-disable",
};

} // namespace

QString chromiumFlags(const QString& given, bool runningAsRoot) {
    QStringList flags = given.split(' ', Qt::SkipEmptyParts);
    QStringList wanted = kAlways;
    // The engine refuses to start as root with its sandbox on.
    if (runningAsRoot)
        wanted.prepend("--no-sandbox");
    for (const QString& flag : wanted) {
        if (!flags.contains(flag))
            flags.append(flag);
    }
    return flags.join(' ');
}

void prepareChromiumFlags() {
    const QString flags = chromiumFlags(qEnvironmentVariable(kVariable), geteuid() == 0);
    qputenv(kVariable, flags.toLocal8Bit());
}

} // namespace bearing
