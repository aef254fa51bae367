#pragma once
// A label that reports a click of the left mouse button, for the maker's link.

#include <QLabel>

namespace tw {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tw
