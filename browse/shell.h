// The system shell's request to open an address outside the program, behind an interface so that
// tests can put a recorder in its place.
#pragma once

#include <QUrl>

namespace bearing {

class Shell {
  public:
    Shell() = default;
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
    virtual ~Shell() = default;

    // Asks for `address` to be opened; whether that worked is neither returned nor reported.
    virtual void open(const QUrl& address) = 0;
};

} // namespace bearing
