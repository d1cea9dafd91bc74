// Keeps controls at fixed distances from the client area's edges while the window is resized.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace bearing {

enum AnchorEdge : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom,
};

// Every anchored control follows the client area's growth, not its own
// parent's: the containers between them are themselves anchored on all sides,
// so they grow by the same amount, and the result does not depend on how much
// room a tab bar or frame takes.
class Anchors : public QObject {
  public:
    Anchors(QWidget* client, QSize designSize);

    // Places `control` at `design` (in its parent's coordinates, for the design
    // size of the client area) and keeps it there as `edges` require.
    void add(QWidget* control, QRect design, unsigned edges);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry {
        QPointer<QWidget> control;
        QRect design;
        unsigned edges;
    };

    void place(const Entry& entry) const;

    QWidget* m_client;
    QSize m_designSize;
    std::vector<Entry> m_entries;
};

} // namespace bearing
