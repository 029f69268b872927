// The shell knows no feature.
#include "app/widgets/featureregistry.h"

#include "central/widgets/cvarnview.h" // wrong way
