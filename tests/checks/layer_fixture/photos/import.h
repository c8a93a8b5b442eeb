#pragma once
#include <QWidget>
#include "audio/song.h"
#include "base/model.h"
