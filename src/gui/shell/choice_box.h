#pragma once
// ChoiceBox: a drop-down list of choices. It shows no caption of its own, so
// the caption it sits under or beside (a group's title, a label, a unit such
// as "分") is given to it as its accessible name. GUI thread.

#include <QComboBox>

namespace orvane {

class ChoiceBox : public QComboBox {
    Q_OBJECT
   public:
    ChoiceBox(const QString& caption, const QString& objectName, QWidget* parent = nullptr);
};

}  // namespace orvane
