// The quality engine never reaches a window.
#include "quality/sentencechecker.h"

#include <QWidget> // wrong way
