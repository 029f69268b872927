// Impact reads links, versions and the object model through their owners,
// never the tables.
#include "change/impact.h"

#include <QSqlQuery> // wrong way
