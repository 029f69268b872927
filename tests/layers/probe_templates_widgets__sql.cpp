// A feature's windows run no SQL: they ask its engine.
#include "templates/widgets/requirementcomposers.h"

#include <QSqlQuery> // wrong way
