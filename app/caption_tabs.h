// CaptionTabs: a tab widget whose captions change often, as the search page's does with the
// count of every search.
#pragma once

#include <QTabWidget>

namespace bearing {

class CaptionTabs : public QTabWidget {
  public:
    using QTabWidget::QTabWidget;

    // Sets the caption of tab `index`. QTabWidget lays out and repaints every page for a new
    // caption; one that leaves the tab bar its size repaints the tab bar alone.
    void setCaption(int index, const QString& caption);

  protected:
    bool event(QEvent* event) override;

  private:
    // The tab bar has asked for a layout since the last one, for new captions only, and
    // every one of them left the bar its size: the layout would come out as it stands.
    bool m_captionAsked = false;
    bool m_layoutStands = false;
};

} // namespace bearing
