// The quality checks read the workspace through the owners, never the tables.
#include "quality/workspacequality.h"

#include <QSqlQuery> // wrong way
