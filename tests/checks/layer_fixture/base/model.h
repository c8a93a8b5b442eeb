#pragma once
#include "photos/import.h"
