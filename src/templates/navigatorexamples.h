#pragma once

#include "common/outcome.h"

#include <QString>

namespace varn::templates {

// The three worked examples a navigator shows for a template: consecutive
// rows of the application database's MASTER_REQ, from the template's first
// example row (counted from 1), each as its preamble and text with a full
// stop, separated by a blank line. Fewer rows show what there is.
class NavigatorExamples
{
public:
    static constexpr int kExampleCount = 3;

    static Result<QString> read(const QString &applicationConnection, int templateNumber);
};

} // namespace varn::templates
