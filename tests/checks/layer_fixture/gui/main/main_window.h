#pragma once
#include "gui/panes/pane.h"
