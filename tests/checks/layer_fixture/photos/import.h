#pragma once
#include <QWidget>
#include "audio/song.h"
#include "app/model.h"
