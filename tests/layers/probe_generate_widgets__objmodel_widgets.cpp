// A feature's widgets never reach another feature's widgets.
#include "generate/widgets/generatordialog.h"

#include "objmodel/widgets/regenerationdialog.h" // wrong way
