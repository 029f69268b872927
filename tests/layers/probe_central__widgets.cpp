// An engine never reaches its own widgets.
#include "central/requirementquery.h"

#include "central/widgets/cvarnview.h" // wrong way
