#pragma once
// Text and picture effects given as one text each, as on the command line:
//   text     "TEXT|mm:ss|motion[|colour|font|size]"  motion: a motion key or
//            an effect name; colour "clWhite" by default, font "黑体", size "10"
//   picture  "FILE|mm:ss|mm:ss|x,y"  the end time may be "wu" (to the end)
// Pure functions; any thread.

#include <QString>

#include "base/error.h"
#include "base/project_model.h"

namespace orvane {

Result<TextEffect> textEffectFromOption(const QString& option);
Result<PictureEffect> pictureEffectFromOption(const QString& option, int seqNo);

}  // namespace orvane
