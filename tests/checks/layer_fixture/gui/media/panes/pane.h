#pragma once
#include <QWidget>
#include "gui/shell/frame.h"
#include "gui/lyrics/label.h"
