// Requirements Central takes the Quality column through the feature
// registry; the quality widgets never reach Central's.
#include "quality/widgets/qualityfeature.h"

#include "central/widgets/cvarnview.h" // wrong way
