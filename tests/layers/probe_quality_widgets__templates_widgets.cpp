// The findings panel serves the composers; it never reaches into them.
#include "quality/widgets/findingspanel.h"

#include "templates/widgets/templatedialogframe.h" // wrong way
