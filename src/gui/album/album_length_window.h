#pragma once
// AlbumLengthWindow "相册时长": whether the album lasts as long as its photos or as its
// music, and the two loops that fill the rest. Every choice is written to the
// session at once and kept between showings; with no song the window starts
// from the photo length with both loops cleared. GUI thread only.

#include <QCheckBox>

#include "gui/shell/settings_dialog.h"

namespace orvane {

class AlbumLengthWindow : public SettingsDialog {
    Q_OBJECT
   public:
    AlbumLengthWindow(Session& session, const Skin& skin, QWidget* parent = nullptr);

   protected:
    void showEvent(QShowEvent* event) override;

   private:
    void load();

    QCheckBox* m_loopMusic = nullptr;
    QCheckBox* m_loopPictures = nullptr;
};

}  // namespace orvane
