// The shell knows no feature, nor the place that registers them all.
#include "app/widgets/featureregistry.h"

#include "main/landedfeatures.h" // wrong way
