#pragma once
// CheckOption: a check box for one on/off setting, found by its object name,
// its caption also its accessible name. GUI thread.

#include <QCheckBox>

namespace orvane {

class CheckOption : public QCheckBox {
    Q_OBJECT
   public:
    CheckOption(const QString& caption, const QString& objectName, QWidget* parent = nullptr);
};

}  // namespace orvane
