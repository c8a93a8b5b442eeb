#pragma once
// CaptionedGroup: a framed group of related settings under a caption
// ("歌词颜色"), found by its object name, its caption also its accessible
// name. The window gives it the layout of its controls. GUI thread.

#include <QGroupBox>

namespace orvane {

class CaptionedGroup : public QGroupBox {
    Q_OBJECT
   public:
    CaptionedGroup(const QString& caption, const QString& objectName, QWidget* parent = nullptr);
};

}  // namespace orvane
