// Inspection reads the object model through its owners, never the tables.
#include "inspect/classoutline.h"

#include <QSqlQuery> // wrong way
