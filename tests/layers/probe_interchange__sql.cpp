// Import and export go through the store's owners, never the tables.
#include "interchange/csvexchange.h"

#include <QSqlQuery> // wrong way
