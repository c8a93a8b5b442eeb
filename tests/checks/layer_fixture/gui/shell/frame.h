#pragma once
#include "base/model.h"
#include "gui/main/main_window.h"
