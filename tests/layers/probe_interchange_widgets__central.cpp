// The exchange windows reach the engines behind the exchange only through it:
// what the exchange uses privately is not theirs to include.
#include "interchange/widgets/interchangefeature.h"

#include "central/requirementquery.h" // wrong way
