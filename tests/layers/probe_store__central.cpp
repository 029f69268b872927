// The store knows nothing above it.
#include "central/requirementquery.h"
#include "store/sqlconnection.h"
