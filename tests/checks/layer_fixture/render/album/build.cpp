#include "build.h"
#include "photos/import.h"
#include <QtWidgets/QLabel>
