// A feature reaches another only through the registry: the composition root,
// which knows them all, is out of its reach.
#include "central/widgets/centralviewfeature.h"

#include "main/landedfeatures.h" // wrong way
