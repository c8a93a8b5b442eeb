#include "gui/shell/settings_dialog.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

SettingsDialog::SettingsDialog(Session& session, const Skin& skin, const QString& objectName,
                               const QString& caption, QWidget* parent)
    : FramedWindow(objectName, caption, skin, parent), m_session(session) {
    setModal(true);
    content()->setObjectName(objectName + QStringLiteral("_content"));
}

void SettingsDialog::changeSettings(const std::function<void(AlbumSettings&)>& change) {
    ProjectModel next = m_session.model();
    change(next.settings);
    m_session.commit(std::move(next));
}

QRadioButton* SettingsDialog::addOption(SettingsOption option, const QString& objectName,
                                        QWidget* parent) {
    auto* button = new QRadioButton(optionCaption(option), parent);
    button->setObjectName(objectName);
    button->setAccessibleName(button->text());
    // clicked, not toggled: loading the settings into the buttons writes nothing.
    connect(button, &QRadioButton::clicked, this, [this, option] {
        changeSettings([option](AlbumSettings& s) { chooseOption(s, option); });
    });
    m_options.emplace_back(button, option);
    return button;
}

void SettingsDialog::loadOptions() {
    for (const auto& [button, option] : m_options) button->setChecked(isChosen(settings(), option));
}

void SettingsDialog::setTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        // A window with a default button lets it take Enter; the others have
        // written every choice already, so Enter just closes them.
        const auto buttons = findChildren<QPushButton*>();
        const bool hasDefault = std::any_of(buttons.begin(), buttons.end(),
                                            [](QPushButton* b) { return b->isDefault(); });
        if (!hasDefault) {
            accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace orvane
