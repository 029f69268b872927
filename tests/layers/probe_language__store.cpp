// The language needs nothing of ours but the common outcome.
#include "language/termvocabulary.h"

#include "store/sqlconnection.h" // wrong way
