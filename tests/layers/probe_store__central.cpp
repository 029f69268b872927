// The store knows nothing above it.
#include "store/sqlconnection.h"

#include "central/requirementquery.h" // wrong way
